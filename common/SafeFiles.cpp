#include "SafeFiles.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <utility>
#include <vector>

#include "FileDescriptorIo.h"
#include "InterruptCleanup.h"
#include "PathParts.h"

namespace fs = std::filesystem;

namespace {
std::string Why(const std::string& what) { return what + ": " + std::strerror(errno); }

std::string FolderOf(const std::string& path) {
  const std::string folder = FolderPartOf(path);
  if (folder.empty()) return ".";
  return folder == "/" ? folder : folder.substr(0, folder.size() - 1);
}

// What kind of thing sits at `path` (links followed); empty when it is a
// regular file or nothing at all.
std::string KindProblem(const std::string& path, bool missingIsFine) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    if (S_ISREG(st.st_mode)) return {};
    if (S_ISDIR(st.st_mode)) return "is a folder";
    if (S_ISFIFO(st.st_mode)) return "is a pipe, not a regular file";
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return "is a device, not a regular file";
    return "is not a regular file";
  }
  if (errno != ENOENT) return Why("cannot be used");
  struct stat link {};
  if (::lstat(path.c_str(), &link) == 0) return "is a link to nothing";
  return missingIsFine ? std::string() : "no such file";
}

mode_t NewFileMode(const std::string& target) {
  struct stat st {};
  if (::stat(target.c_str(), &st) == 0) return st.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// The rename is only durable once the folder's entry is on disk.
void SyncFolder(const std::string& path) {
  const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  ::fsync(dir);
  ::close(dir);
}

// Swaps two names atomically; false when the file system cannot.
bool Exchange(const std::string& a, const std::string& b) {
  return ::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0;
}
}  // namespace

std::string ResolvedTarget(const std::string& path) {
  std::error_code ec;
  if (fs::is_symlink(path, ec)) {
    auto target = fs::weakly_canonical(path, ec);
    if (!ec) return target.string();
  }
  return path;
}

std::string WriteTargetProblem(const std::string& path) {
  if (path.empty()) return "no file name";
  if (std::string kind = KindProblem(path, true); !kind.empty()) return kind;
  return FolderProblem(FolderOf(ResolvedTarget(path)));
}

std::string FolderProblem(const std::string& folder) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0)
    return errno == ENOENT ? "the folder " + folder + " does not exist"
                           : Why("the folder " + folder + " cannot be used");
  if (!S_ISDIR(st.st_mode)) return folder + " is not a folder";
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return Why("the folder " + folder + " cannot be written");
  return {};
}

std::string ReadSourceProblem(const std::string& path) {
  if (path.empty()) return "no file name";
  return KindProblem(path, false);
}

std::string TemporaryNameTemplate(const std::string& target) {
  const size_t nameStart = FolderPartOf(target).size();
  constexpr size_t kSuffix = 7;  // ".XXXXXX"
  // A long name is cut so that its temporary name stays a valid name.
  const size_t keep = std::min(target.size() - nameStart, static_cast<size_t>(NAME_MAX) - kSuffix);
  return target.substr(0, nameStart + keep) + ".XXXXXX";
}

ReplacementFile::ReplacementFile(const std::string& path, LinkRule links) {
  struct stat st {};
  const bool replaceLink = links == LinkRule::Replace && ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
  // A link to be replaced is never followed, whatever it leads to: only
  // its folder must take the new file.
  error_ = replaceLink ? FolderProblem(FolderOf(path)) : WriteTargetProblem(path);
  if (!error_.empty()) return;
  target_ = replaceLink ? path : ResolvedTarget(path);
  // An unnamed file in the target's folder where the file system makes one:
  // until it is complete it has no name, so no signal, not even SIGKILL,
  // leaves anything behind. It is named when finished (through /proc, which
  // needs no privilege).
  if (::access("/proc/self/fd", X_OK) == 0) {
    fd_ = ::open(FolderOf(target_).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd_ >= 0) return;
  }
  std::string temp = TemporaryNameTemplate(target_);
  {
    // No interruption between creating the file and noting it for removal.
    BlockInterrupts held;
    // mkostemp opens with O_CREAT | O_EXCL: a link planted at the name is never followed.
    fd_ = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd_ >= 0) tempSlot_ = NoteTempFile(temp.c_str());
  }
  if (fd_ < 0) {
    Fail("cannot create a temporary file");
    return;
  }
  temp_ = temp;
}

ReplacementFile::~ReplacementFile() {
  if (fd_ >= 0) ::close(fd_);
  if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
  ForgetTempFile(tempSlot_);
}

bool ReplacementFile::Fail(const std::string& what) {
  if (error_.empty()) error_ = Why(what);
  return false;
}

bool ReplacementFile::Write(const void* data, size_t size) {
  if (!ok()) return false;
  if (fd_ < 0) return Fail("the file is already closed");
  const size_t n = WriteFully(fd_, data, size);
  written_ += n;
  return n == size || Fail("cannot write");
}

bool ReplacementFile::WriteAt(unsigned long long offset, const void* data, size_t size) {
  if (!ok()) return false;
  if (fd_ < 0) return Fail("the file is already closed");
  if (offset + size > written_) return Fail("cannot write past the end");
  return WriteFullyAt(fd_, data, size, offset) == size || Fail("cannot write");
}

bool ReplacementFile::Reserve(unsigned long long size) {
  if (!ok()) return false;
  if (fd_ < 0) return Fail("the file is already closed");
  if (::fallocate(fd_, 0, 0, static_cast<off_t>(size)) != 0) {
    // A file system that cannot reserve still takes the length.
    if (errno != EOPNOTSUPP && errno != ENOSYS) return Fail("cannot make room for the file");
    if (::ftruncate(fd_, static_cast<off_t>(size)) != 0) return Fail("cannot make room for the file");
  }
  written_ = std::max(written_, size);
  return true;
}

bool ReplacementFile::FlushWritten() const { return fd_ >= 0 && ::fdatasync(fd_) == 0; }

bool ReplacementFile::Restart() {
  if (!ok() || fd_ < 0) return false;
  if (::ftruncate(fd_, 0) != 0 || ::lseek(fd_, 0, SEEK_SET) != 0) return Fail("cannot empty the temporary file");
  written_ = 0;
  return true;
}

bool ReplacementFile::NameUnnamedFile() {
  char proc[40];
  std::snprintf(proc, sizeof proc, "/proc/self/fd/%d", fd_);
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  std::uniform_int_distribution<int> letter(0, sizeof kLetters - 2);
  std::string name = TemporaryNameTemplate(target_);
  for (int attempt = 0; attempt < 100; ++attempt) {
    for (size_t i = name.size() - 6; i < name.size(); ++i) name[i] = kLetters[letter(random)];
    // No interruption between naming the file and noting it for removal.
    BlockInterrupts held;
    if (::linkat(AT_FDCWD, proc, AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      temp_ = name;
      tempSlot_ = NoteTempFile(name.c_str());
      return true;
    }
    if (errno != EEXIST) break;
  }
  return Fail("cannot name the new file");
}

bool ReplacementFile::Finish() {
  if (!ok()) return false;
  if (finished_) return true;
  if (::fchmod(fd_, NewFileMode(target_)) != 0) return Fail("cannot set the file mode");
  if (::fsync(fd_) != 0) return Fail("cannot flush");
  if (temp_.empty() && !NameUnnamedFile()) return false;
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) return Fail("cannot close");
  finished_ = true;
  return true;
}

bool ReplacementFile::Commit() {
  if (!Finish()) return false;
  if (std::rename(temp_.c_str(), target_.c_str()) != 0) return Fail("cannot replace the file");
  committed_ = true;
  ForgetTempFile(std::exchange(tempSlot_, -1));
  SyncFolder(target_);
  return true;
}

bool CommitTogether(std::initializer_list<ReplacementFile*> files, std::string& error) {
  for (ReplacementFile* f : files)
    if (!f->Finish()) {
      error = f->Target().empty() ? f->Error() : f->Target() + ": " + f->Error();
      return false;
    }
  // An existing target is swapped with its replacement, so until every file
  // is in place the previous content sits at the temporary name.
  struct Done {
    ReplacementFile* file;
    bool swapped, created;
  };
  std::vector<Done> done;
  for (ReplacementFile* f : files) {
    struct stat st {};
    const bool existed = ::lstat(f->target_.c_str(), &st) == 0;
    bool moved = false, swapped = false, replaced = false;
    if (existed && !S_ISREG(st.st_mode)) {
      replaced = true;  // something else took the name since the check
    } else if (existed && Exchange(f->temp_, f->target_)) {
      moved = swapped = true;
    } else if (!existed || errno == EINVAL || errno == ENOSYS) {
      // No atomic swap here: a plain rename, which cannot be taken back.
      moved = std::rename(f->temp_.c_str(), f->target_.c_str()) == 0;
    }
    if (!moved) {
      if (replaced && f->error_.empty()) f->error_ = "is no longer a regular file";
      f->Fail("cannot replace the file");
      error = f->target_ + ": " + f->error_;
      for (auto it = done.rbegin(); it != done.rend(); ++it) {
        if (it->swapped)
          Exchange(it->file->temp_, it->file->target_);
        else if (it->created)
          std::rename(it->file->target_.c_str(), it->file->temp_.c_str());
        else
          it->file->committed_ = true;  // replaced for good; its temporary name is gone
      }
      return false;
    }
    done.push_back({f, swapped, !existed});
  }
  for (const Done& d : done) {
    d.file->committed_ = true;
    if (d.swapped) ::unlink(d.file->temp_.c_str());  // the previous content
    ForgetTempFile(std::exchange(d.file->tempSlot_, -1));
    SyncFolder(d.file->target_);
  }
  return true;
}
