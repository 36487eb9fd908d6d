// Recovery copies of unsaved work, and the offer to open what an editor
// that ended without saving left behind.
#include "EditorRecovery.h"

#include <QDateTime>
#include <QFile>
#include <QtDebug>
#include <cstring>

#include "DocumentMessages.h"
#include "LatinText.h"
#include "TFEditorDeObjetos1.h"
#include "UserFolders.h"
#include "common/Dictionary.h"
#include "controls/MessageBoxes.h"
#include "document/DocumentFile.h"
#include "document/EditorDocument.h"
#include "gl/Textures.h"

struct EditorRecovery::Snapshot {
  TIMem32 elements{"recovery obj 3d"};
  std::string path;
};

EditorRecovery::EditorRecovery(EditorDocument& doc, int intervalMs, QObject* parent)
    : QObject(parent), doc_(doc), folder_(FolderPath()), owner_(ThisProcess()) {
  writer_.setMaxThreadCount(1);
  timer_.setInterval(intervalMs);
  connect(&timer_, &QTimer::timeout, this, [this] { WriteSoon(); });
}

EditorRecovery::~EditorRecovery() {
  timer_.stop();
  Remove();
}

std::string EditorRecovery::FolderPath() {
  const std::string data = UserDataFolder();
  return data.empty() ? std::string() : data + "/objetos3d/recovery";
}

void EditorRecovery::SetChanged(bool changed) {
  if (changed == changed_) return;
  changed_ = changed;
  editsSinceCopy_ = 0;
  if (changed) {
    timer_.start();
  } else {
    timer_.stop();
    Remove();
  }
}

void EditorRecovery::NoteEdit() {
  if (++editsSinceCopy_ < kEditsPerCopy) return;
  editsSinceCopy_ = 0;
  // The edit is announced before it changes the elements: the copy is
  // taken once the event that makes it has been handled.
  QTimer::singleShot(0, this, [this] { WriteSoon(); });
}

std::unique_ptr<EditorRecovery::Snapshot> EditorRecovery::TakeSnapshot() {
  auto snapshot = std::make_unique<Snapshot>();
  // Copied byte for byte: Assign would also reset the document's Position.
  const TIMem32& elements = doc_.elements;
  snapshot->elements.RecordSize = elements.RecordSize;
  snapshot->elements.SetCount(elements.Count());
  if (elements.Count() > 0)
    std::memcpy(snapshot->elements.Data(), elements.Data(),
                static_cast<size_t>(elements.Count()) * elements.RecordSize);
  snapshot->path = doc_.fileName.empty() ? recoveredFrom_ : doc_.fileName;
  return snapshot;
}

void EditorRecovery::WriteSoon() {
  if (!changed_) return;
  // The next timed copy is a full interval after this one.
  timer_.start();
  std::unique_ptr<Snapshot> snapshot = TakeSnapshot();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_ = std::move(snapshot);
    // A write already queued takes the newest snapshot when it runs.
    if (queued_) return;
    queued_ = true;
  }
  writer_.start([this] { WritePending(); });
}

void EditorRecovery::WritePending() {
  std::unique_ptr<Snapshot> snapshot;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    snapshot = std::move(pending_);
    queued_ = false;
  }
  if (snapshot) Report(folder_.Write(owner_, snapshot->path, snapshot->elements));
}

bool EditorRecovery::WriteNow() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.reset();
  }
  writer_.waitForDone();
  const std::string problem =
      folder_.Write(owner_, doc_.fileName.empty() ? recoveredFrom_ : doc_.fileName, doc_.elements);
  Report(problem);
  return problem.empty();
}

void EditorRecovery::Remove() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.reset();
  }
  writer_.waitForDone();
  folder_.Remove(owner_);
}

void EditorRecovery::Report(const std::string& problem) {
  std::lock_guard<std::mutex> lock(mutex_);
  // Said once per kind of failure, not every minute.
  if (problem == lastProblem_) return;
  if (!problem.empty()) qWarning("objetos3d: the recovery copy could not be written: %s", problem.c_str());
  lastProblem_ = problem;
  // Writes run on the worker: the window hears of it on its own thread.
  QMetaObject::invokeMethod(
      this,
      [this, problem] {
        if (OnProblem) OnProblem(problem);
      },
      Qt::QueuedConnection);
}

// --- the window's side ---

namespace {
std::string NamePart(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A path's name as the interface's Latin-1 text, cut to fit the box.
std::string ShownName(const std::string& path) {
  QString name = PathText(NamePart(path));
  if (name.size() > 60) name = name.left(57) + "...";
  return Latin(name);
}

// One line of the offer: which document the copy belongs to, where it
// lives, and when the copy was written.
std::string CopyLine(const RecoveryCopy& copy) {
  const std::string when = QDateTime::fromMSecsSinceEpoch(copy.writtenAtNs / 1000000)
                               .toString(QStringLiteral("dd/MM/yyyy HH:mm"))
                               .toStdString();
  if (copy.originalPath.empty()) return Choose("Documento sem nome", "Untitled document") + "  (" + when + ")";
  QString folder = PathText(copy.originalPath);
  folder = folder.left(folder.lastIndexOf('/') + 1);
  if (folder.size() > 80) folder = "..." + folder.right(77);
  std::string line = ShownName(copy.originalPath) + "  " + Latin(folder) + "  (" + when + ")";
  if (!MayKeepOriginalName(copy))
    line += Choose(" - o arquivo mudou depois da c\xF3pia", " - the file has changed since the copy");
  return line;
}

std::string OfferText(const std::string& openDocument) {
  // Short enough that the open document's name still fits the box's 255 characters.
  std::string text = Choose(
      "Documentos n\xE3o salvos quando o editor terminou. Abrir a c\xF3pia de um deles? "
      "Ela abre sem nome.",
      "Documents not saved when the editor ended. Open the copy of one of them? It opens "
      "untitled.");
  if (!openDocument.empty())
    text += Choose(" Aberto agora: " + ShownName(openDocument) + ", que a c\xF3pia substitui.",
                   " Open now: " + ShownName(openDocument) + ", which the copy replaces.");
  return text;
}
}  // namespace

void TFEditorDeObjetos1::OfferRecoveredDocuments() {
  recovery_->Folder().RemoveLeftovers();
  const std::vector<RecoveryCopy> copies = recovery_->Folder().Orphans();
  if (copies.empty()) return;
  std::vector<std::string> lines;
  lines.reserve(copies.size());
  for (const RecoveryCopy& copy : copies) lines.push_back(CopyLine(copy));
  const MessageBoxes::RecoveryChoice choice = AskRecoverDocuments(OfferText(doc.fileName), lines);
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

bool TFEditorDeObjetos1::OpenRecoveredDocument(const RecoveryCopy& copy) {
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
  doc.elements.Assign(recovered);
  Redraw();
  RebuildElementList();
  // Untitled, so that nothing but the Save dialog, which proposes the
  // document's own name and folder, ever writes the copy over a file.
  recoveredFrom_ = copy.originalPath;
  recovery_->SetRecoveredFrom(recoveredFrom_);
  if (!recoveredFrom_.empty()) saveDialogFolder_ = DialogFolder(recoveredFrom_);
  SetDocumentChanged(true);
  // The copy now names this document as it is.
  recovery_->WriteNow();
  if (endedEarly) ShowWarning(EarlyEndWarning(mine, r));
  return true;
}
