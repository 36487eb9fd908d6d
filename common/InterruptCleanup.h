#pragma once
#include <signal.h>

// Temporary files of writes in progress, removed when the process is ended
// by SIGINT, SIGTERM or SIGHUP: an interrupted save leaves the previous file
// and nothing else. The list is a fixed table the signal handler can walk
// without allocating or locking.

// Installs the handlers (once; a signal the process ignores stays ignored).
// After removing the files the handler ends the process by the same signal.
void RemoveTempFilesOnInterrupt();

// Notes a temporary file just created; returns its slot, or -1 when the
// table is full or the name too long (the file is then only removed by its
// owner). Call with the signals blocked (see BlockInterrupts) so that no
// signal falls between creating the file and noting it.
int NoteTempFile(const char* path);
// The file is gone or has become the target: no longer removed.
void ForgetTempFile(int slot);

// Holds SIGINT, SIGTERM and SIGHUP back for its lifetime.
class BlockInterrupts {
 public:
  BlockInterrupts();
  ~BlockInterrupts();
  BlockInterrupts(const BlockInterrupts&) = delete;
  BlockInterrupts& operator=(const BlockInterrupts&) = delete;

 private:
  sigset_t saved_;
};
