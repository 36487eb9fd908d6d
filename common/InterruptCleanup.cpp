#include "InterruptCleanup.h"

#include <limits.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <mutex>

namespace {
constexpr int kSlots = 32;
// Every signal whose default action ends the process and that a handler
// may catch without hiding a fault: interrupts, timers, user signals, a
// closed pipe and the CPU limit. (The fault signals stay with whatever
// reports them; SIGXFSZ is ignored, so that a write past the file size
// limit fails like any other write.)
constexpr int kSignals[] = {SIGINT,  SIGTERM, SIGHUP,  SIGQUIT,   SIGALRM, SIGUSR1,
                            SIGUSR2, SIGPIPE, SIGXCPU, SIGVTALRM, SIGPROF};

// A slot is free (0), being filled (1) or names a file to remove (2).
struct Slot {
  std::atomic<int> state{0};
  char path[PATH_MAX];
};
static_assert(std::atomic<int>::is_always_lock_free, "the handler reads the slots");

Slot* Slots() {
  static Slot slots[kSlots];
  return slots;
}

void RemoveAndEnd(int sig) {
  Slot* slots = Slots();
  for (int i = 0; i < kSlots; ++i)
    if (slots[i].state.load(std::memory_order_acquire) == 2) ::unlink(slots[i].path);
  // SA_RESETHAND put the default action back; it ends the process once the
  // handler returns and the signal is unblocked.
  ::raise(sig);
}

void SignalSet(sigset_t& set) {
  sigemptyset(&set);
  for (int sig : kSignals) sigaddset(&set, sig);
}
}  // namespace

void RemoveTempFilesOnInterrupt() {
  static std::once_flag once;
  std::call_once(once, [] {
    ::signal(SIGXFSZ, SIG_IGN);
    for (int sig : kSignals) {
      struct sigaction old {};
      if (::sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
      struct sigaction action {};
      action.sa_handler = RemoveAndEnd;
      action.sa_flags = SA_RESETHAND;
      SignalSet(action.sa_mask);
      ::sigaction(sig, &action, nullptr);
    }
  });
}

int NoteTempFile(const char* path) {
  const size_t length = std::strlen(path);
  char cwd[PATH_MAX];
  size_t prefix = 0;
  // A relative name would be removed in whatever folder is current then.
  if (path[0] != '/') {
    if (!::getcwd(cwd, sizeof cwd)) return -1;
    prefix = std::strlen(cwd) + 1;
  }
  if (prefix + length >= PATH_MAX) return -1;
  Slot* slots = Slots();
  for (int i = 0; i < kSlots; ++i) {
    int expected = 0;
    if (!slots[i].state.compare_exchange_strong(expected, 1)) continue;
    if (prefix) {
      std::memcpy(slots[i].path, cwd, prefix - 1);
      slots[i].path[prefix - 1] = '/';
    }
    std::memcpy(slots[i].path + prefix, path, length + 1);
    slots[i].state.store(2, std::memory_order_release);
    return i;
  }
  return -1;
}

void ForgetTempFile(int slot) {
  if (slot >= 0 && slot < kSlots) Slots()[slot].state.store(0, std::memory_order_release);
}

BlockInterrupts::BlockInterrupts() {
  sigset_t set;
  SignalSet(set);
  ::pthread_sigmask(SIG_BLOCK, &set, &saved_);
}

BlockInterrupts::~BlockInterrupts() { ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
