#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TIMem32;

// Which editor process a recovery copy belongs to: the process id and the
// process's start time (clock ticks since boot), so that a recycled id is
// not mistaken for the editor that wrote the copy.
struct ProcessTag {
  int64_t pid = 0;
  uint64_t startTicks = 0;
  std::string Name() const;  // "<pid>-<startTicks>", the files' common stem
};

ProcessTag ThisProcess();
// The tag of a running process (start time 0 when it cannot be read).
ProcessTag ProcessTagOf(int64_t pid);
// True while the process that `tag` names still runs (a zombie has ended).
bool ProcessAlive(const ProcessTag& tag);

// One copy found in the folder.
struct RecoveryCopy {
  ProcessTag owner;
  std::string copyPath;      // the document copy
  std::string originalPath;  // the document's own path (system bytes); empty when untitled
  int64_t writtenAtNs = 0;   // when the copy was last written (modification time)
};

// The folder of recovery copies. Each editor writes "<tag>.zobj3d", its
// elements, and "<tag>.path", the document's path as the system's bytes,
// both through a temporary file that is synced and renamed into place, so a
// crash while writing leaves the previous copy. The folder holds copies of
// the user's documents, so it is private: made 0700, never entered through
// a link, and one that is not the user's own or is open to others is not
// used (Write moves it aside and makes a fresh one). Copies are 0600,
// created exclusively without following links.
class RecoveryFolder {
 public:
  explicit RecoveryFolder(std::string folder) : folder_(std::move(folder)) {}
  const std::string& Path() const { return folder_; }

  // Writes the copy of `owner`, creating the folder when needed. Empty on
  // success, otherwise why not.
  std::string Write(const ProcessTag& owner, const std::string& originalPath, const TIMem32& elements) const;
  // Removes every file of `owner`'s copy, leftover temporary files included.
  void Remove(const ProcessTag& owner) const;
  // Takes an ended editor's copy over as `owner`'s by renaming its elements
  // (one atomic step, so of two editors offered the same copy only one gets
  // it) and removing the rest of its files. The new copy's path, or empty
  // when the copy is gone.
  std::string Claim(const RecoveryCopy& orphan, const ProcessTag& owner) const;
  // The copies whose editor has ended, newest first. Files not named as
  // copies, and copies that are not regular files, are left alone.
  std::vector<RecoveryCopy> Orphans() const;
  // Removes what ended editors left that is no copy: temporary files of
  // writes they did not finish, and the names of documents whose copy was
  // never written. Copies, their names, live editors' files and anything
  // not named as a copy's file stay.
  void RemoveLeftovers() const;

 private:
  std::string folder_;
};

// Whether a recovered document may keep its original path as its name, so
// that Save writes there without asking: only when that path is a regular
// file that nothing has written since the copy was made. Otherwise the
// document opens untitled and Save asks where to put it.
bool MayKeepOriginalName(const RecoveryCopy& copy);

// Longest original path a copy may name; a longer or malformed ".path" file
// makes the copy untitled.
inline constexpr size_t kMaxRecoveryPathBytes = 4096;
