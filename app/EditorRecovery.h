#pragma once
#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "RecoveryFolder.h"

class EditorDocument;
class TIMem32;

// Keeps a recovery copy of a document with unsaved changes, so that work
// survives a crash: every minute and after every 20 edits while the
// document is changed, the elements and the document's path are written to
// this process's copy in the user's state folder. The copy is written on a
// worker thread from a snapshot taken on the window's thread, so the window
// never waits for the disk; writes and removals are done in order. Saving,
// a clean close or a discarded document removes the copy.
class EditorRecovery : public QObject {
 public:
  static constexpr int kIntervalMs = 60 * 1000;
  static constexpr int kEditsPerCopy = 20;

  explicit EditorRecovery(EditorDocument& doc, int intervalMs = kIntervalMs, QObject* parent = nullptr);
  // Waits for a write under way and removes the copy: the editor ends
  // normally only after the user chose to save or discard.
  ~EditorRecovery() override;

  // objetos3d/recovery in the user's data folder (the system's bytes);
  // empty when the user has none, and then no copy is written.
  static std::string FolderPath();
  const RecoveryFolder& Folder() const { return folder_; }
  const ProcessTag& Owner() const { return owner_; }

  // The document's changed state: while changed the timer runs; once it is
  // unchanged (saved, discarded, replaced) the copy goes.
  void SetChanged(bool changed);
  // One more edit; every kEditsPerCopy-th writes a copy once the edit is done.
  void NoteEdit();
  // Writes the copy at once and waits for it; false when it failed.
  bool WriteNow();
  // Removes the copy after any write under way.
  void Remove();
  // The file an untitled document was recovered from: its copies keep
  // naming it, so a second crash still offers it as that document's.
  void SetRecoveredFrom(const std::string& path) { recoveredFrom_ = path; }
  // Told on the window's thread when writing a copy starts failing (why)
  // and when it works again (empty).
  std::function<void(const std::string& problem)> OnProblem;

 private:
  struct Snapshot;
  std::unique_ptr<Snapshot> TakeSnapshot();
  void WriteSoon();
  void WritePending();
  void Report(const std::string& problem);

  EditorDocument& doc_;
  RecoveryFolder folder_;
  ProcessTag owner_;
  QTimer timer_;
  QThreadPool writer_;
  bool changed_ = false;
  std::string recoveredFrom_;
  int editsSinceCopy_ = 0;
  std::mutex mutex_;  // guards pending_, queued_ and lastProblem_
  std::unique_ptr<Snapshot> pending_;
  bool queued_ = false;
  std::string lastProblem_;
};
