#pragma once
#include <cstdio>
#include <string>
#include <vector>

// The editor's command line, sorted before Qt sees it: the editor's own
// options, documents, and what is left for Qt. A document never reaches Qt,
// so a file named like a Qt option ("-stylesheet=x.zobj3d") is opened, not
// obeyed.
struct EditorCommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  std::vector<std::string> documents;
  // The program name first, then the Qt options with their values.
  std::vector<std::string> qtArguments;
  std::string language;  // "pt", "en", or empty when not given
  std::string error;     // why the line was refused (Action::Error)
  std::vector<std::string> warnings;
};

// `arguments` is argv as given, the program name first. An argument is a
// document when it follows "--" or names an existing file; the editor's
// options come before that test, Qt's options after it.
EditorCommandLine ParseEditorCommandLine(const std::vector<std::string>& arguments);

void PrintEditorUsage(std::FILE* to);
void PrintEditorVersion(std::FILE* to);

// Whether Qt can open a window: a display or Wayland socket is named, or a
// platform is chosen explicitly (QT_QPA_PLATFORM or -platform).
bool HasGraphicalSession(const EditorCommandLine& line);
