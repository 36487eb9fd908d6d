#pragma once
#include <sys/types.h>

#include <cstddef>

// Reads and writes on a file descriptor that a signal may interrupt: an
// interrupted call is made again, so a signal never reads as an error or
// as the end of the file.

// One read of at most `size` bytes: what read(2) returns, never -1 with EINTR.
ssize_t ReadOnce(int fd, void* to, size_t size);

// Reads until `size` bytes, the end of the file or an error; the count read.
// `failed` (when given) is set when it stopped on an error.
size_t ReadFully(int fd, void* to, size_t size, bool* failed = nullptr);

// Writes `data`, going on after short writes, until all is written, an
// error (errno says which) or a write that takes nothing; the count written.
size_t WriteFully(int fd, const void* data, size_t size);
