#pragma once
#include <signal.h>

// Temporary files of writes in progress, removed when the process is ended
// by a signal (SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGALRM, SIGUSR1, SIGUSR2,
// SIGPIPE, SIGXCPU, SIGVTALRM, SIGPROF): an interrupted save leaves the
// previous file and nothing else. The list is a fixed table the signal
// handler can walk without allocating or locking.

// Installs the handlers (once; a signal the process ignores stays ignored).
// After removing the files the handler ends the process by the same signal.
// SIGXFSZ is ignored: a write past the file size limit then fails with
// EFBIG and the save reports it, instead of the process ending silently.
void RemoveTempFilesOnInterrupt();

// Notes a temporary file just created; returns its slot, or -1 when the
// table is full or the name too long (the file is then only removed by its
// owner). Call with the signals blocked (see BlockInterrupts) so that no
// signal falls between creating the file and noting it.
int NoteTempFile(const char* path);
// The file is gone or has become the target: no longer removed.
void ForgetTempFile(int slot);

// Holds those signals back for its lifetime.
class BlockInterrupts {
 public:
  BlockInterrupts();
  ~BlockInterrupts();
  BlockInterrupts(const BlockInterrupts&) = delete;
  BlockInterrupts& operator=(const BlockInterrupts&) = delete;

 private:
  sigset_t saved_;
};
