#include "EditorRecovery.h"

#include <QtDebug>
#include <cstring>

#include "UserFolders.h"
#include "document/DocumentFile.h"
#include "document/EditorDocument.h"

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
