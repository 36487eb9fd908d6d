#include "WholeFileWrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
unsigned NextSerial() {
  static std::atomic<unsigned> serial{0};
  return ++serial;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}
}  // namespace

bool WriteWholeFile(const std::string& path, const std::vector<std::string_view>& pieces, std::string& reason) {
  // A fresh name beside the target; created with the usual permissions
  // (the process umask applies), never over an existing file.
  std::string temp;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
    temp = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(NextSerial());
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    reason = "cannot create a file beside " + path + ": " + std::strerror(errno);
    return false;
  }
  bool ok = true;
  for (const std::string_view piece : pieces) ok = ok && WriteAll(fd, piece);
  ok = ok && ::fsync(fd) == 0;
  const int savedErrno = errno;
  if (::close(fd) != 0) ok = false;
  if (!ok) {
    ::unlink(temp.c_str());
    reason = "cannot write " + path + ": " + std::strerror(savedErrno);
    return false;
  }
  if (std::rename(temp.c_str(), path.c_str()) != 0) {
    reason = "cannot replace " + path + ": " + std::strerror(errno);
    ::unlink(temp.c_str());
    return false;
  }
  return true;
}
