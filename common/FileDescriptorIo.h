#pragma once
#include <sys/types.h>

#include <cstddef>
#include <cstdint>
#include <functional>

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

// The same at `offset` (pwrite), leaving the file position alone.
size_t WriteFullyAt(int fd, const void* data, size_t size, uint64_t offset);

// How copying a file's bytes ended.
enum class CopyEnd { Copied, ReadFailed, WriteFailed, TooLarge };

// Reads `in` from where it stands to its end, in blocks, handing each to
// `write` (false: the write failed). More than `limit` bytes stop it before
// the block that passes the limit is written. After ReadFailed, errno says
// why.
CopyEnd CopyBytes(int in, const std::function<bool(const void*, size_t)>& write, uint64_t limit = UINT64_MAX);
