#include "RecoveryFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <initializer_list>
#include <random>
#include <sstream>

#include "common/FileDescriptorIo.h"
#include "common/PathParts.h"
#include "common/TIMem32.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"

namespace {
const char kCopyExtension[] = ".zobj3d";
const char kPathExtension[] = ".path";

struct ProcessState {
  bool found = false;
  char state = '?';
  uint64_t startTicks = 0;
};

// The state and start time from /proc/<pid>/stat. The command name stands
// in parentheses and may hold blanks or parentheses itself, so the fields
// are counted from the last ')'.
ProcessState ReadProcessState(const std::string& statFile) {
  ProcessState s;
  std::ifstream in(statFile);
  std::string line;
  if (!in || !std::getline(in, line)) return s;
  const size_t close = line.rfind(')');
  if (close == std::string::npos) return s;
  std::istringstream fields(line.substr(close + 1));
  std::string field;
  // Field 3 is the state, field 22 the start time.
  for (int number = 3; number <= 22 && fields >> field; ++number) {
    if (number == 3) s.state = field.empty() ? '?' : field[0];
    if (number == 22) {
      s.startTicks = std::strtoull(field.c_str(), nullptr, 10);
      s.found = true;
    }
  }
  return s;
}

bool AllDigits(const std::string& text, size_t maxLength) {
  return !text.empty() && text.size() <= maxLength &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "<pid>-<start>.zobj3d" gives the tag; any other name is no copy.
bool ParseCopyName(const std::string& name, ProcessTag& tag) {
  if (!EndsWith(name, kCopyExtension)) return false;
  const std::string stem = name.substr(0, name.size() - std::strlen(kCopyExtension));
  const size_t dash = stem.find('-');
  if (dash == std::string::npos) return false;
  const std::string pid = stem.substr(0, dash), start = stem.substr(dash + 1);
  if (!AllDigits(pid, 10) || !AllDigits(start, 19)) return false;
  tag.pid = std::stoll(pid);
  tag.startTicks = std::stoull(start);
  return tag.pid > 0;
}

// "<tag>.path", "<tag>.zobj3d.<hex>" and "<tag>.path.<hex>" give the tag
// and whether the file is a temporary one; any other name is no such file.
bool ParseCompanionName(const std::string& name, ProcessTag& tag, bool& temporary) {
  const size_t dot = name.find('.');
  if (dot == std::string::npos) return false;
  std::string rest = name.substr(dot);
  const size_t last = rest.rfind('.');
  temporary = last > 0;
  if (temporary) {
    const std::string suffix = rest.substr(last + 1);
    if (suffix.empty() || suffix.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
    rest.resize(last);
  }
  if (rest != kPathExtension && !(temporary && rest == kCopyExtension)) return false;
  return ParseCopyName(name.substr(0, dot) + kCopyExtension, tag);
}

// The original path a copy names, or empty: the file must be a small
// regular file (not a link) holding an absolute path without NUL bytes.
std::string ReadOriginalPath(int folderFd, const std::string& name) {
  const int fd = ::openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return {};
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size <= 0 ||
      static_cast<uint64_t>(st.st_size) > kMaxRecoveryPathBytes) {
    ::close(fd);
    return {};
  }
  std::string bytes(kMaxRecoveryPathBytes + 1, '\0');
  bytes.resize(ReadFully(fd, bytes.data(), bytes.size()));
  ::close(fd);
  if (bytes.size() > kMaxRecoveryPathBytes || bytes.empty() || bytes[0] != '/') return {};
  if (bytes.find('\0') != std::string::npos) return {};
  return bytes;
}

std::string Failure(const std::string& what) { return what + ": " + std::strerror(errno); }

// Creates the folders above `folder` that are missing, readable by the user
// alone. They may be links (a home folder often is); the folder itself never.
std::string MakeParents(const std::string& folder) {
  const std::string parents = FolderPartOf(folder);
  for (size_t slash = parents.find('/', 1); slash != std::string::npos; slash = parents.find('/', slash + 1)) {
    const std::string built = parents.substr(0, slash);
    if (::mkdir(built.c_str(), 0700) != 0 && errno != EEXIST) return Failure(built);
  }
  return {};
}

// A folder only the user may enter and write: the user's own, with no
// rights for anyone else.
bool IsPrivateFolder(const struct stat& st) {
  return S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// The folder opened without following a link, or -1. Missing: made when
// `create`, else -1 with no problem. Anything that is not a private folder
// of the user's (a link, a file, a folder open to others or another user's)
// is never used: when `create` it is moved aside and a fresh folder made.
int OpenPrivateFolder(const std::string& folder, bool create, std::string& problem) {
  problem.clear();
  if (folder.empty() || folder[0] != '/') {
    problem = "no folder for recovery copies (no home folder is known)";
    return -1;
  }
  for (int attempt = 0; attempt < 3; ++attempt) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
      struct stat st {};
      if (::fstat(fd, &st) == 0 && IsPrivateFolder(st)) return fd;
      ::close(fd);
    } else if (errno == ENOENT) {
      if (!create) return -1;
      if (problem = MakeParents(folder); !problem.empty()) return -1;
      if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        problem = Failure(folder);
        return -1;
      }
      continue;
    }
    if (!create) {
      problem = folder + " is not a private folder of this user";
      return -1;
    }
    // Whatever stands there keeps its contents, under another name.
    const std::string aside = folder + ".refused-" + std::to_string(::time(nullptr)) + "-" + std::to_string(::getpid());
    if (::rename(folder.c_str(), aside.c_str()) != 0) {
      problem = folder + " is not a private folder of this user and cannot be moved aside: " + std::strerror(errno);
      return -1;
    }
  }
  problem = folder + " cannot be made a private folder";
  return -1;
}

// Closes the folder at the end of a scope.
struct FolderFd {
  int fd;
  ~FolderFd() {
    if (fd >= 0) ::close(fd);
  }
};

struct Piece {
  const void* data;
  size_t size;
};

// Writes `pieces` as `name` in the folder: into a fresh temporary file (never
// through a link, never over an existing file, readable by the user alone),
// synced, then renamed into place, which replaces a link rather than its
// target.
std::string WriteInFolder(int folderFd, const std::string& name, std::initializer_list<Piece> pieces) {
  std::random_device random;
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 20 && fd < 0; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
    temporary = name + suffix;
    fd = ::openat(folderFd, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0 && errno != EEXIST) return Failure(name);
  }
  if (fd < 0) return Failure(name);
  bool ok = true;
  for (const Piece& piece : pieces) ok = ok && WriteFully(fd, piece.data, piece.size) == piece.size;
  std::string problem = ok && ::fsync(fd) == 0 ? std::string() : Failure(name);
  if (::close(fd) != 0 && problem.empty()) problem = Failure(name);
  if (problem.empty() && ::renameat(folderFd, temporary.c_str(), folderFd, name.c_str()) != 0) problem = Failure(name);
  if (!problem.empty()) ::unlinkat(folderFd, temporary.c_str(), 0);
  return problem;
}

// The names in the folder.
std::vector<std::string> NamesIn(int folderFd) {
  std::vector<std::string> names;
  const int listing = ::dup(folderFd);
  if (listing < 0) return names;
  DIR* dir = ::fdopendir(listing);
  if (!dir) {
    ::close(listing);
    return names;
  }
  while (const dirent* entry = ::readdir(dir)) names.emplace_back(entry->d_name);
  ::closedir(dir);
  return names;
}
}  // namespace

std::string ProcessTag::Name() const { return std::to_string(pid) + "-" + std::to_string(startTicks); }

ProcessTag ThisProcess() { return ProcessTagOf(::getpid()); }

ProcessTag ProcessTagOf(int64_t pid) {
  ProcessTag tag;
  tag.pid = pid;
  tag.startTicks = ReadProcessState("/proc/" + std::to_string(pid) + "/stat").startTicks;
  return tag;
}

bool ProcessAlive(const ProcessTag& tag) {
  if (tag.pid <= 0) return false;
  const ProcessState s = ReadProcessState("/proc/" + std::to_string(tag.pid) + "/stat");
  if (!s.found) return false;
  if (s.state == 'Z' || s.state == 'X' || s.state == 'x') return false;
  return s.startTicks == tag.startTicks;
}

std::string RecoveryFolder::Write(const ProcessTag& owner, const std::string& originalPath,
                                  const TIMem32& elements) const {
  std::string problem;
  const FolderFd folder{OpenPrivateFolder(folder_, true, problem)};
  if (folder.fd < 0) return problem;
  const std::string stem = owner.Name();
  // The name first: a copy is only listed once its elements are in place,
  // and then it names the document they came from.
  problem = WriteInFolder(folder.fd, stem + kPathExtension, {{originalPath.data(), originalPath.size()}});
  if (!problem.empty()) return problem;
  if (elements.RecordSize != kElementRecordSize) return "the store does not hold element records";
  uint8_t header[kDocumentHeaderSize];
  FillDocumentHeader(header, elements.Count());
  const size_t body = static_cast<size_t>(elements.Count()) * kElementRecordSize;
  return WriteInFolder(folder.fd, stem + kCopyExtension, {{header, sizeof header}, {elements.Data(), body}});
}

void RecoveryFolder::Remove(const ProcessTag& owner) const {
  std::string problem;
  const FolderFd folder{OpenPrivateFolder(folder_, false, problem)};
  if (folder.fd < 0) return;
  const std::string prefix = owner.Name() + ".";
  std::vector<std::string> doomed;
  for (const std::string& name : NamesIn(folder.fd))
    if (name.compare(0, prefix.size(), prefix) == 0) doomed.push_back(name);
  // The elements go first, so an interrupted removal never leaves a copy
  // that names the wrong document.
  std::stable_partition(doomed.begin(), doomed.end(),
                        [](const std::string& name) { return EndsWith(name, kCopyExtension); });
  for (const std::string& name : doomed) ::unlinkat(folder.fd, name.c_str(), 0);
}

std::string RecoveryFolder::Claim(const RecoveryCopy& orphan, const ProcessTag& owner) const {
  std::string problem;
  const FolderFd folder{OpenPrivateFolder(folder_, false, problem)};
  if (folder.fd < 0) return {};
  const std::string mine = owner.Name() + kCopyExtension;
  if (::renameat(folder.fd, FileNameOf(orphan.copyPath).c_str(), folder.fd, mine.c_str()) != 0) return {};
  Remove(orphan.owner);
  return folder_ + "/" + mine;
}

std::vector<RecoveryCopy> RecoveryFolder::Orphans() const {
  std::vector<RecoveryCopy> copies;
  std::string problem;
  const FolderFd folder{OpenPrivateFolder(folder_, false, problem)};
  if (folder.fd < 0) return copies;
  for (const std::string& name : NamesIn(folder.fd)) {
    RecoveryCopy copy;
    if (!ParseCopyName(name, copy.owner)) continue;
    copy.copyPath = folder_ + "/" + name;
    struct stat st {};
    if (::fstatat(folder.fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    if (ProcessAlive(copy.owner)) continue;
    copy.writtenAtNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    copy.originalPath = ReadOriginalPath(folder.fd, copy.owner.Name() + kPathExtension);
    copies.push_back(std::move(copy));
  }
  std::sort(copies.begin(), copies.end(),
            [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.writtenAtNs > b.writtenAtNs; });
  return copies;
}

void RecoveryFolder::RemoveLeftovers() const {
  std::string problem;
  const FolderFd folder{OpenPrivateFolder(folder_, false, problem)};
  if (folder.fd < 0) return;
  for (const std::string& name : NamesIn(folder.fd)) {
    ProcessTag owner;
    bool temporary = false;
    if (!ParseCompanionName(name, owner, temporary)) continue;
    struct stat st {};
    if (::fstatat(folder.fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode)) continue;
    // A name belongs to its copy while the copy is there.
    if (!temporary && ::fstatat(folder.fd, (owner.Name() + kCopyExtension).c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
      continue;
    if (!ProcessAlive(owner)) ::unlinkat(folder.fd, name.c_str(), 0);
  }
}

bool MayKeepOriginalName(const RecoveryCopy& copy) {
  if (copy.originalPath.empty()) return false;
  struct stat st {};
  if (::stat(copy.originalPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const int64_t modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return modifiedNs <= copy.writtenAtNs;
}
