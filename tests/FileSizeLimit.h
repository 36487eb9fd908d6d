#pragma once
#include <sys/resource.h>

#include <csignal>

// Files may grow to `bytes` only while this lives: a full disk, even for root.
// SIGXFSZ is ignored meanwhile, so a write past the limit fails with EFBIG.
struct FileSizeLimit {
  explicit FileSizeLimit(rlim_t bytes) : handler(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &old);
    const rlimit small{bytes, old.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &small);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, handler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
  void (*handler)(int);
  rlimit old{};
};
