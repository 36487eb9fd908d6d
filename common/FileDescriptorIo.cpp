#include "FileDescriptorIo.h"

#include <unistd.h>

#include <cerrno>

namespace {
// Calls `writeFrom(done)` until `size` bytes are written, an error or a
// write that takes nothing; an interrupted call is made again.
template <typename WriteFrom>
size_t WriteLoop(size_t size, const WriteFrom& writeFrom) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = writeFrom(done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}
}  // namespace

ssize_t ReadOnce(int fd, void* to, size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd, to, size);
    if (n >= 0 || errno != EINTR) return n;
  }
}

size_t ReadFully(int fd, void* to, size_t size, bool* failed) {
  auto* at = static_cast<unsigned char*>(to);
  size_t got = 0;
  if (failed) *failed = false;
  while (got < size) {
    const ssize_t n = ReadOnce(fd, at + got, size - got);
    if (n < 0 && failed) *failed = true;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  return got;
}

size_t WriteFully(int fd, const void* data, size_t size) {
  return WriteLoop(size, [&](size_t done) { return ::write(fd, static_cast<const char*>(data) + done, size - done); });
}

size_t WriteFullyAt(int fd, const void* data, size_t size, uint64_t offset) {
  return WriteLoop(size, [&](size_t done) {
    return ::pwrite(fd, static_cast<const char*>(data) + done, size - done, static_cast<off_t>(offset + done));
  });
}

CopyEnd CopyBytes(int in, const std::function<bool(const void*, size_t)>& write, uint64_t limit) {
  char buffer[1 << 16];
  uint64_t copied = 0;
  for (;;) {
    const ssize_t n = ReadOnce(in, buffer, sizeof buffer);
    if (n == 0) return CopyEnd::Copied;
    if (n < 0) return CopyEnd::ReadFailed;
    copied += static_cast<uint64_t>(n);
    if (copied > limit) return CopyEnd::TooLarge;
    if (!write(buffer, static_cast<size_t>(n))) return CopyEnd::WriteFailed;
  }
}
