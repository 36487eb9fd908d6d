#include "DocumentFiles.h"

#include <QWidget>

#include "DocumentCaption.h"
#include "DocumentKeeping.h"
#include "DocumentMessages.h"
#include "EditorRecovery.h"
#include "FileNameDialogs.h"
#include "RecoveryOffer.h"
#include "common/DataPath.h"
#include "common/Dictionary.h"
#include "common/FileIdentity.h"
#include "common/Latin1.h"
#include "common/PathParts.h"
#include "common/ProgramFolder.h"
#include "controls/MessageBoxes.h"
#include "document/EditorDocument.h"
#include "gl/Textures.h"
#include "output/OutputFormats.h"

namespace {
// Whether saving under `path` writes a document (as the save dispatch
// decides, by the extension as written; empty: the document's own name).
bool WritesDocument(const std::string& path) { return SaveFormatFor(path).writer == OutputWriter::Document; }

QStringList Patterns(const std::vector<std::string>& filters) {
  QStringList patterns;
  for (const std::string& filter : filters) patterns << QString::fromStdString(filter);
  return patterns;
}

// The folder a dialog opens in for `fileName`; a relative name is taken
// from the program's folder.
std::string DialogFolder(const std::string& fileName) {
  return FolderPartOf(fileName.empty() || fileName[0] != '/' ? ProgramFolder() + fileName : fileName);
}
}  // namespace

DocumentFiles::DocumentFiles(EditorDocument& doc, QWidget& window, Hooks hooks)
    : doc_(doc),
      window_(window),
      hooks_(std::move(hooks)),
      keeping_(std::make_unique<DocumentKeeping>(window)),
      recovery_(std::make_unique<EditorRecovery>(doc)),
      saveDialogFolder_(DataPath("Vist3D/")) {
  // A copy that cannot be written is told where the user looks, not only on stderr.
  recovery_->OnProblem = [this](const std::string& problem) {
    recoveryProblem_ = problem;
    hooks_.problemChanged();
  };
  doc_.OnEdit = [this] {
    SetChanged(true);
    recovery_->NoteEdit();
  };
  keeping_->OnOpenRecent = [this](const std::string& path) { OpenRecent(path); };
}

DocumentFiles::~DocumentFiles() = default;

void DocumentFiles::AddRecentMenu(QMenu& fileMenu, QAction* before) { keeping_->AddRecentMenu(fileMenu, before); }

bool DocumentFiles::Changed() const { return keeping_->Changed(); }

void DocumentFiles::SetChanged(bool changed) {
  if (keeping_->SetChanged(changed)) recovery_->SetChanged(changed);
}

void DocumentFiles::SetCaption(const std::string& path) { window_.setWindowTitle(DocumentCaption(path)); }

void DocumentFiles::LoadDocument(const std::string& path) {
  SetChanged(false);
  doc_.fileName.clear();
  recoveredFrom_.clear();
  recovery_->SetRecoveredFrom("");
  SetCaption("");
  doc_.elements.SetCount(0);
  // The elements are replaced: selection entries would name other elements.
  hooks_.clearSelection();
  doc_.ClearUndo();
  hooks_.showDocument();
  if (path.empty()) return;
  // Taken before reading: a change made while reading is noticed later.
  const FileIdentity identity = IdentityOf(path);
  const Outcome r = ReadDocument(path, doc_.elements);
  const bool endedEarly = r.recordsRead < r.recordsDeclared;
  const bool unread = !r.ok() && r.status != Outcome::Missing;
  if (unread && !endedEarly) doc_.elements.SetCount(0);
  hooks_.showDocument();
  if (endedEarly || unread) {
    // The document is not the file: left untitled, a save cannot put an
    // empty or partial document over the file that failed to load.
    SetCaption("");
    ShowWarning(endedEarly ? EarlyEndWarning(path, r) : ReadWarning(path, r));
    return;
  }
  doc_.fileName = path;
  doc_.fileIdentity = identity;
  SetCaption(path);
  if (r.ok()) KeepAsRecent(path);
}

bool DocumentFiles::SaveDocument(const std::string& path) {
  const std::string target = path.empty() ? doc_.fileName : path;
  if (target.empty()) return false;
  // A document written over the open document's file: if another program
  // changed the file since it was read (or put a link in its place), the
  // user decides; a link that appeared is replaced, never written through.
  const bool overDocument =
      WritesDocument(path) && !doc_.fileName.empty() && (target == doc_.fileName || SameFile(target, doc_.fileName));
  bool replaceLink = false;
  if (overDocument) {
    const FileIdentity now = IdentityOf(doc_.fileName);
    // A file removed since holds nothing to lose.
    if (now != doc_.fileIdentity && (now.exists || now.link)) {
      switch (AskSaveOverChangedFile(ChangedOnDiskQuestion(doc_.fileName))) {
        case MessageBoxes::ChangedFileAnswer::SaveAs:
          hooks_.saveAs();
          return false;
        case MessageBoxes::ChangedFileAnswer::Cancel:
          return false;
        case MessageBoxes::ChangedFileAnswer::Overwrite:
          replaceLink = now.link;
          break;
      }
    }
  }
  const Outcome r =
      replaceLink ? WriteDocument(doc_.fileName, doc_.elements, LinkRule::Replace) : hooks_.saveScene(path);
  if (!r.ok()) {
    // Nothing the user could go back to is lost by a save that failed.
    ShowWarning(SaveWarning(target, r));
    return false;
  }
  doc_.ClearUndo();
  if (overDocument) doc_.fileIdentity = IdentityOf(doc_.fileName);
  hooks_.showWritten(target);
  return true;
}

void DocumentFiles::NewDocument() {
  if (!MayDiscardDocument()) return;
  ClearTextureCache();
  LoadDocument("");
}

void DocumentFiles::OpenDocument() {
  if (!MayDiscardDocument()) return;
  if (openDialogFolder_.empty()) openDialogFolder_ = DataPath("Vist3D/");
  FileNameQuestion q;
  q.title = "Open";
  q.filters = Patterns(OpenFilters());
  q.defaultSuffix = DialogSuffix(DocumentFormat());
  q.folder = doc_.fileName.empty() ? openDialogFolder_ : DialogFolder(doc_.fileName);
  q.proposed = FileNameOf(doc_.fileName);
  const FileNameAnswer a = AskFileName(q, &window_);
  if (!a.folder.empty()) openDialogFolder_ = a.folder;
  if (a.path.empty()) return;
  openDialogFolder_ = DialogFolder(a.path);
  ClearTextureCache();
  LoadDocument(a.path);
}

void DocumentFiles::SaveCommand() {
  if (doc_.fileName.empty()) {
    SaveAsCommand();
  } else if (SaveDocument(doc_.fileName)) {
    SetChanged(false);
    KeepAsRecent(doc_.fileName);
  }
}

void DocumentFiles::SaveAsCommand() {
  FileNameQuestion q;
  q.save = true;
  q.title = "Save";
  q.filters = Patterns(SaveFilters());
  q.defaultSuffix = DialogSuffix(DocumentFormat());
  q.folder = doc_.fileName.empty() ? saveDialogFolder_ : DialogFolder(doc_.fileName);
  q.proposed = FileNameOf(doc_.fileName.empty() ? recoveredFrom_ : doc_.fileName);
  const FileNameAnswer a = AskFileName(q, &window_);
  if (!a.folder.empty()) saveDialogFolder_ = a.folder;
  if (a.path.empty()) return;
  const std::string chosen = a.path;
  if (!SaveDocument(chosen)) return;
  if (AsciiLower(ExtensionOf(chosen)) == DocumentFormat().extension) {
    doc_.fileName = chosen;
    doc_.fileIdentity = IdentityOf(chosen);
    SetCaption(chosen);
    SetChanged(false);
    KeepAsRecent(chosen);
  }
}

void DocumentFiles::ExportCommand() {
  FileNameQuestion q;
  q.save = true;
  q.title = "Save";
  q.filters = Patterns(SaveFilters());
  q.filterIndex = FilterIndexOf(OutputWriter::Obj);
  const OutputFormat& obj = FormatOf(OutputWriter::Obj);
  q.defaultSuffix = DialogSuffix(obj);
  // The export goes beside the document under its name; an untitled
  // document proposes no name where the dialog was last left.
  q.folder = doc_.fileName.empty() ? saveDialogFolder_ : DialogFolder(doc_.fileName);
  q.proposed = doc_.fileName.empty() ? std::string() : FileNameOf(ChangeExtension(doc_.fileName, obj.extension));
  const FileNameAnswer a = AskFileName(q, &window_);
  if (!a.folder.empty()) saveDialogFolder_ = a.folder;
  if (a.path.empty()) return;
  if (SaveDocument(a.path) && a.path == doc_.fileName && WritesDocument(a.path)) SetChanged(false);
}

bool DocumentFiles::MayDiscardDocument() {
  if (!Changed()) return true;
  const std::string name = doc_.fileName.empty() ? "" : " " + FileNameOf(doc_.fileName);
  const auto answer = AskSaveChanges(Choose("O documento" + name + " foi alterado. Salvar as altera\xE7\365es?",
                                            "The document" + name + " has changed. Save the changes?"));
  if (answer == MessageBoxes::SaveAnswer::Discard) return true;
  if (answer == MessageBoxes::SaveAnswer::Cancel) return false;
  hooks_.save();
  // A cancelled Save as, a failed write or an export leaves it changed.
  return !Changed();
}

bool DocumentFiles::MayClose() {
  if (!MayDiscardDocument()) return false;
  recovery_->Remove();  // saved or discarded: nothing is left to recover
  return true;
}

void DocumentFiles::OpenRecent(const std::string& path) {
  if (!MayDiscardDocument()) return;
  ClearTextureCache();
  LoadDocument(path);
}

void DocumentFiles::KeepAsRecent(const std::string& path) { keeping_->KeepAsRecent(path); }

void DocumentFiles::OfferRecoveredDocuments() {
  recovery_->Folder().RemoveLeftovers();
  const std::vector<RecoveryCopy> copies = recovery_->Folder().Orphans();
  if (copies.empty()) return;
  std::vector<std::string> lines;
  lines.reserve(copies.size());
  for (const RecoveryCopy& copy : copies) lines.push_back(RecoveryCopyLine(copy));
  const MessageBoxes::RecoveryChoice choice = AskRecoverDocuments(RecoveryOfferText(doc_.fileName), lines);
  switch (choice.answer) {
    case MessageBoxes::RecoveryAnswer::Open:
      // The document the user named stays unless its changes are saved or
      // let go, as when another document is opened.
      if (MayDiscardDocument()) OpenRecoveredDocument(copies[static_cast<size_t>(choice.copy)]);
      break;
    case MessageBoxes::RecoveryAnswer::Discard:
      for (const RecoveryCopy& copy : copies) recovery_->Folder().Remove(copy.owner);
      break;
    case MessageBoxes::RecoveryAnswer::Later:
      break;
  }
}

bool DocumentFiles::OpenRecoveredDocument(const RecoveryCopy& copy) {
  // Renamed to this editor's copy first: another editor offered the same
  // copy cannot open it too, and it stays safe while it is read.
  const std::string mine = recovery_->Folder().Claim(copy, recovery_->Owner());
  if (mine.empty()) return false;
  TIMem32 recovered("obj 3d4");
  recovered.RecordSize = kElementRecordSize;
  const Outcome r = ReadDocument(mine, recovered);
  const bool endedEarly = r.recordsRead < r.recordsDeclared;
  if (!r.ok() && !endedEarly) {
    ShowWarning(ReadWarning(mine, r));
    return false;
  }
  ClearTextureCache();
  LoadDocument("");
  doc_.elements.Assign(recovered);
  hooks_.showDocument();
  // Untitled, so that nothing but the Save dialog, which proposes the
  // document's own name and folder, ever writes the copy over a file.
  recoveredFrom_ = copy.originalPath;
  recovery_->SetRecoveredFrom(recoveredFrom_);
  if (!recoveredFrom_.empty()) saveDialogFolder_ = DialogFolder(recoveredFrom_);
  SetChanged(true);
  // The copy now names this document as it is.
  recovery_->WriteNow();
  if (endedEarly) ShowWarning(EarlyEndWarning(mine, r));
  return true;
}
