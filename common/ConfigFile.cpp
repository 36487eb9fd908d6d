#include "ConfigFile.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <mutex>
#include <set>

#include "FileDescriptorIo.h"

namespace {
void WarnOnce(const std::string& path, const char* why) {
  static std::mutex lock;
  static std::set<std::string> warned;
  std::lock_guard<std::mutex> hold(lock);
  if (!warned.insert(path).second) return;
  std::fprintf(stderr, "%s: %s: %s, ignored\n", program_invocation_short_name, path.c_str(), why);
}

std::string LimitText(size_t limit) {
  return limit % (size_t{1} << 20) == 0 ? std::to_string(limit >> 20) + " MB" : std::to_string(limit) + " bytes";
}
}  // namespace

bool ReadConfigFile(const std::string& path, std::string& bytes, size_t limit) {
  bytes.clear();
  struct stat st {};
  // The kind and size are known before opening: opening a pipe or a device
  // may block or have effects of its own.
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return false;
  const std::string tooLarge = "larger than " + LimitText(limit);
  if (!S_ISREG(st.st_mode)) {
    WarnOnce(path, "not a regular file");
    return false;
  }
  if (static_cast<unsigned long long>(st.st_size) > limit) {
    WarnOnce(path, tooLarge.c_str());
    return false;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  // The name may have changed in between; the size may still grow.
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (!ok) WarnOnce(path, "not a regular file");
  char buffer[1 << 14];
  while (ok) {
    const ssize_t n = ReadOnce(fd, buffer, sizeof buffer);
    if (n <= 0) {
      ok = n == 0;
      break;
    }
    if (bytes.size() + static_cast<size_t>(n) > limit) {
      WarnOnce(path, tooLarge.c_str());
      ok = false;
      break;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  if (!ok) bytes.clear();
  return ok;
}
