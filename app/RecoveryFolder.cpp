#include "RecoveryFolder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "common/SafeFiles.h"
#include "document/DocumentFile.h"
#include "common/TIMem32.h"

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

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
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

// The original path a copy names, or empty: the file must be a small
// regular file holding an absolute path without NUL bytes.
std::string ReadOriginalPath(const std::string& file) {
  struct stat st {};
  if (::lstat(file.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return {};
  if (st.st_size <= 0 || static_cast<uint64_t>(st.st_size) > kMaxRecoveryPathBytes) return {};
  const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return {};
  std::string bytes(kMaxRecoveryPathBytes + 1, '\0');
  size_t filled = 0;
  for (;;) {
    const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    filled += static_cast<size_t>(n);
    if (filled == bytes.size()) break;
  }
  ::close(fd);
  bytes.resize(filled);
  if (bytes.size() > kMaxRecoveryPathBytes || bytes.empty() || bytes[0] != '/') return {};
  if (bytes.find('\0') != std::string::npos) return {};
  return bytes;
}

// Creates the folder and its parents; the folder itself is readable by the
// user alone, since it holds copies of the user's documents.
std::string MakePrivateFolder(const std::string& folder) {
  std::string built;
  size_t from = 0;
  while (from <= folder.size()) {
    size_t slash = folder.find('/', from);
    if (slash == std::string::npos) slash = folder.size();
    built = folder.substr(0, slash);
    from = slash + 1;
    if (built.empty()) continue;
    if (::mkdir(built.c_str(), 0700) != 0 && errno != EEXIST) return built + ": " + std::strerror(errno);
  }
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return folder + " is not a folder";
  return {};
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
  if (std::string problem = MakePrivateFolder(folder_); !problem.empty()) return problem;
  const std::string stem = folder_ + "/" + owner.Name();
  // The name first: a copy is only listed once its elements are in place,
  // and then it names the document they came from.
  ReplacementFile name(stem + kPathExtension);
  if (!(name.Write(originalPath) && name.Commit())) return name.Error();
  const DocumentResult r = WriteDocument(stem + kCopyExtension, elements);
  return r.ok() ? std::string() : r.reason;
}

void RecoveryFolder::Remove(const ProcessTag& owner) const {
  const std::string prefix = owner.Name() + ".";
  DIR* dir = ::opendir(folder_.c_str());
  if (!dir) return;
  std::vector<std::string> doomed;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.compare(0, prefix.size(), prefix) == 0) doomed.push_back(folder_ + "/" + name);
  }
  ::closedir(dir);
  // The elements go first, so an interrupted removal never leaves a copy
  // that names the wrong document.
  std::stable_partition(doomed.begin(), doomed.end(),
                        [](const std::string& path) { return EndsWith(path, kCopyExtension); });
  for (const std::string& path : doomed) ::unlink(path.c_str());
}

std::string RecoveryFolder::Claim(const RecoveryCopy& orphan, const ProcessTag& owner) const {
  const std::string mine = folder_ + "/" + owner.Name() + kCopyExtension;
  if (::rename(orphan.copyPath.c_str(), mine.c_str()) != 0) return {};
  Remove(orphan.owner);
  return mine;
}

std::vector<RecoveryCopy> RecoveryFolder::Orphans() const {
  std::vector<RecoveryCopy> copies;
  DIR* dir = ::opendir(folder_.c_str());
  if (!dir) return copies;
  while (const dirent* entry = ::readdir(dir)) {
    RecoveryCopy copy;
    if (!ParseCopyName(entry->d_name, copy.owner)) continue;
    copy.copyPath = folder_ + "/" + entry->d_name;
    struct stat st {};
    if (::lstat(copy.copyPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (ProcessAlive(copy.owner)) continue;
    copy.writtenAtNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    copy.originalPath = ReadOriginalPath(folder_ + "/" + copy.owner.Name() + kPathExtension);
    copies.push_back(std::move(copy));
  }
  ::closedir(dir);
  std::sort(copies.begin(), copies.end(),
            [](const RecoveryCopy& a, const RecoveryCopy& b) { return a.writtenAtNs > b.writtenAtNs; });
  return copies;
}

bool MayKeepOriginalName(const RecoveryCopy& copy) {
  if (copy.originalPath.empty()) return false;
  struct stat st {};
  if (::stat(copy.originalPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  const int64_t modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return modifiedNs <= copy.writtenAtNs;
}
