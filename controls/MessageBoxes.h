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
};

// Installs `boxes` (not owned) for the whole process; nullptr puts the
// Qt message boxes back.
void SetMessageBoxes(MessageBoxes* boxes);

// The text is cut to 255 characters.
void ShowWarning(const std::string& text);
bool AskConfirmation(const std::string& text);
