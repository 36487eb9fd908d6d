#pragma once
#include <string>
#include <vector>

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
  // Before a save over a file another program changed since it was read:
  // save under another name, overwrite it, or stay. Boxes that do not offer
  // the three answers treat Yes as overwriting.
  enum class ChangedFileAnswer { SaveAs, Overwrite, Cancel };
  virtual ChangedFileAnswer ChangedFileQuestion(const std::string& text) {
    return Confirmation(text) ? ChangedFileAnswer::Overwrite : ChangedFileAnswer::Cancel;
  }
  // Copies of unsaved work left by editors that ended, one line each, all
  // in one window: open the chosen one (`copy`, an index of the lines),
  // discard them all, or keep them for the next start. Boxes that do not
  // offer the three answers keep them.
  enum class RecoveryAnswer { Open, Discard, Later };
  struct RecoveryChoice {
    RecoveryAnswer answer = RecoveryAnswer::Later;
    int copy = -1;
  };
  virtual RecoveryChoice RecoveryQuestion(const std::string& text, const std::vector<std::string>& copies) {
    (void)text, (void)copies;
    return {};
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
// The "CONFIRMATION" box with Save as (the default), Overwrite and Cancel.
MessageBoxes::ChangedFileAnswer AskSaveOverChangedFile(const std::string& text);
// The "CONFIRMATION" window with the list of copies (Latin-1 lines) and the
// buttons Open, Discard all and Later; Escape is Later.
MessageBoxes::RecoveryChoice AskRecoverDocuments(const std::string& text, const std::vector<std::string>& copies);
