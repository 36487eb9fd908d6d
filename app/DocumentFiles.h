#pragma once
#include <functional>
#include <memory>
#include <string>

#include "document/DocumentFile.h"

class DocumentKeeping;
class EditorDocument;
class EditorRecovery;
class QAction;
class QMenu;
class QWidget;
struct RecoveryCopy;

// The document's files: new, open, save, save as, export and the recent
// documents, the question before unsaved changes would be lost, and the
// recovery copies of unsaved work with the offer to open the copies an
// editor that ended without saving left behind. It owns the unsaved-changes
// mark with the recent documents (DocumentKeeping) and the copies
// (EditorRecovery). The window's file handlers forward here; the window
// lends it the document, itself as the dialogs' owner and caption, and the
// few things only the window does (Hooks).
class DocumentFiles {
 public:
  // What the window does for the files.
  struct Hooks {
    std::function<void()> clearSelection;
    std::function<void()> showDocument;  // redrawn, the list made anew
    // Saves under `path` as its extension says (empty: the document's own
    // name), the frame a picture or an export reads drawn at once.
    std::function<Outcome(const std::string& path)> saveScene;
    std::function<void(const std::string& path)> showWritten;  // on the status line
    // Save and Save as as the menu runs them.
    std::function<void()> save;
    std::function<void()> saveAs;
    std::function<void()> problemChanged;  // RecoveryProblem() is another
  };

  DocumentFiles(EditorDocument& doc, QWidget& window, Hooks hooks);
  ~DocumentFiles();

  // The recent documents' menu, put into `fileMenu` before `before`.
  void AddRecentMenu(QMenu& fileMenu, QAction* before);

  // Replaces the document with the file at `path` (empty: a new document).
  void LoadDocument(const std::string& path);
  // False when nothing was written (a failed or an empty-named save).
  bool SaveDocument(const std::string& path);
  void NewDocument();
  void OpenDocument();
  void SaveCommand();
  void SaveAsCommand();
  void ExportCommand();
  void OpenRecent(const std::string& path);
  void KeepAsRecent(const std::string& path);
  void OfferRecoveredDocuments();

  // Asks to save unsaved changes before they would be lost; false when the
  // user cancelled or the save did not happen.
  bool MayDiscardDocument();
  // The window closes unless the user keeps it; then nothing is left to recover.
  bool MayClose();

  // Whether the document changed since it was loaded or saved; the caption
  // carries a "*" while it has.
  bool Changed() const;
  void SetChanged(bool changed);
  // Why the last recovery copy failed; empty once one worked.
  const std::string& RecoveryProblem() const { return recoveryProblem_; }

 private:
  bool OpenRecoveredDocument(const RecoveryCopy& copy);
  void SetCaption(const std::string& path);

  EditorDocument& doc_;
  QWidget& window_;
  Hooks hooks_;
  std::unique_ptr<DocumentKeeping> keeping_;
  std::unique_ptr<EditorRecovery> recovery_;
  std::string recoveryProblem_;
  // The file a recovered, untitled document came from: Save as proposes it.
  std::string recoveredFrom_;
  std::string openDialogFolder_;  // where Open starts for an untitled document
  std::string saveDialogFolder_;  // where Save as and Export were last left
};
