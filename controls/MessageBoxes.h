#pragma once
#include <string>

// The program's two modal boxes. Their titles, "WARNING" and
// "CONFIRMATION", are fixed; callers pass the text already chosen for the
// interface language. Tests install their own MessageBoxes to answer them.
class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual void Warning(const std::string& text) = 0;
  // True only for Yes.
  virtual bool Confirmation(const std::string& text) = 0;
  // Before unsaved work would be lost: save it, discard it, or stay.
  // Boxes that do not offer the three answers treat Yes as discarding.
  enum class SaveAnswer { Save, Discard, Cancel };
  virtual SaveAnswer SaveQuestion(const std::string& text) {
    return Confirmation(text) ? SaveAnswer::Discard : SaveAnswer::Cancel;
  }
  // A copy of unsaved work left by an editor that ended: open it now,
  // discard it, or keep it for the next start. Boxes that do not offer the
  // three answers keep it.
  enum class RecoveryAnswer { Open, Discard, Later };
  virtual RecoveryAnswer RecoveryQuestion(const std::string& text) {
    (void)text;
    return RecoveryAnswer::Later;
  }
};

// Installs `boxes` (not owned) for the whole process; nullptr puts the
// Qt message boxes back.
void SetMessageBoxes(MessageBoxes* boxes);

// The text is cut to 255 characters.
void ShowWarning(const std::string& text);
bool AskConfirmation(const std::string& text);
// The "CONFIRMATION" box with Save, Discard and Cancel buttons.
MessageBoxes::SaveAnswer AskSaveChanges(const std::string& text);
// The "CONFIRMATION" box with Open, Discard and Later buttons.
MessageBoxes::RecoveryAnswer AskRecoverDocument(const std::string& text);
