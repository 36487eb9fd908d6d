#include "FileDescriptorIo.h"

#include <unistd.h>

#include <cerrno>

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
  const auto* at = static_cast<const unsigned char*>(data);
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, at + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  return done;
}
