#pragma once
#include <QStringList>
#include <string>

class QWidget;

// The editor's file dialogs ask through one replaceable function, so that
// tests answer them without a modal dialog left open. Paths are the
// system's bytes.
struct FileNameQuestion {
  bool save = false;  // a save dialog (overwrite prompt) or an open one (file must exist)
  std::string title;
  std::string folder;         // where the dialog opens
  std::string proposed;       // the file name preselected; empty proposes none
  QStringList filters;        // "*.zobj3d", "*.obj", ...
  int filterIndex = 0;        // the filter chosen at first
  std::string defaultSuffix;  // added to a typed name without one
};

struct FileNameAnswer {
  std::string path;    // the chosen file; empty when cancelled
  std::string folder;  // the folder the dialog was left in, chosen or not
};

class FileNameAsker {
 public:
  virtual ~FileNameAsker() = default;
  virtual FileNameAnswer Ask(const FileNameQuestion& question, QWidget* parent) = 0;
};

// Installs `asker` (not owned) for the whole process; nullptr puts the Qt
// file dialogs back.
void SetFileNameAsker(FileNameAsker* asker);
FileNameAnswer AskFileName(const FileNameQuestion& question, QWidget* parent);
