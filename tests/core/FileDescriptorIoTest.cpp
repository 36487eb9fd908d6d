// Reads and writes that a signal interrupts must neither stop early nor
// report a failure.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>
#include <thread>

#include "common/FileDescriptorIo.h"

namespace {
std::atomic<int> signalsTaken{0};

// A handler installed without SA_RESTART, so a blocked read or write
// returns EINTR instead of being resumed by the system.
class InterruptingSignal {
 public:
  InterruptingSignal() {
    struct sigaction action {};
    action.sa_handler = [](int) { signalsTaken.fetch_add(1); };
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    sigaction(SIGUSR1, &action, &old_);
  }
  ~InterruptingSignal() { sigaction(SIGUSR1, &old_, nullptr); }
  // Signals `thread` until it has taken `count` more signals (or is done).
  static void Interrupt(pthread_t thread, int count, const std::atomic<bool>* done = nullptr) {
    const int target = signalsTaken.load() + count;
    while (signalsTaken.load() < target && !(done && *done)) {
      pthread_kill(thread, SIGUSR1);
      std::this_thread::yield();
    }
  }

 private:
  struct sigaction old_ {};
};

struct Pipe {
  Pipe() { EXPECT_EQ(::pipe(fds), 0); }
  ~Pipe() {
    CloseWrite();
    ::close(fds[0]);
  }
  void CloseWrite() {
    if (fds[1] >= 0) ::close(fds[1]);
    fds[1] = -1;
  }
  int fds[2] = {-1, -1};
};
}  // namespace

TEST(FileDescriptorIo, AReadBlockedWhileSignalsArriveGetsEverythingWritten) {
  InterruptingSignal signal;
  Pipe pipe;
  std::string got(10, '\0');
  size_t count = 0;
  bool failed = true;
  std::atomic<bool> started{false};
  std::thread reader([&] {
    started = true;
    count = ReadFully(pipe.fds[0], got.data(), got.size(), &failed);
  });
  while (!started) std::this_thread::yield();
  // The reader waits on the empty pipe while it is interrupted again and again.
  InterruptingSignal::Interrupt(reader.native_handle(), 5);
  ASSERT_EQ(::write(pipe.fds[1], "01234", 5), 5);
  InterruptingSignal::Interrupt(reader.native_handle(), 5);
  ASSERT_EQ(::write(pipe.fds[1], "56789", 5), 5);
  reader.join();
  EXPECT_FALSE(failed);
  EXPECT_EQ(count, 10u);
  EXPECT_EQ(got, "0123456789");
}

TEST(FileDescriptorIo, TheEndOfTheFileAndAnErrorAreToldApart) {
  Pipe pipe;
  ASSERT_EQ(::write(pipe.fds[1], "abc", 3), 3);
  pipe.CloseWrite();
  char buffer[8];
  bool failed = true;
  EXPECT_EQ(ReadFully(pipe.fds[0], buffer, sizeof buffer, &failed), 3u);
  EXPECT_FALSE(failed);
  EXPECT_EQ(ReadFully(-1, buffer, sizeof buffer, &failed), 0u);
  EXPECT_TRUE(failed);
  EXPECT_EQ(WriteFully(-1, "x", 1), 0u);
}

TEST(FileDescriptorIo, AWriteWaitingOnAFullPipeArrivesWholeDespiteSignals) {
  InterruptingSignal signal;
  Pipe pipe;
  // The pipe is full before the write starts, so the write waits with
  // nothing written while the signals arrive.
  const int capacity = ::fcntl(pipe.fds[1], F_GETPIPE_SZ);
  ASSERT_GT(capacity, 0);
  const std::string filler(static_cast<size_t>(capacity), 'f');
  ASSERT_EQ(::write(pipe.fds[1], filler.data(), filler.size()), capacity);
  std::string data(1 << 20, '\0');
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7 + i / 4096);
  size_t written = 0;
  std::atomic<bool> done{false};
  std::thread writer([&] {
    written = WriteFully(pipe.fds[1], data.data(), data.size());
    pipe.CloseWrite();
    done = true;
  });
  InterruptingSignal::Interrupt(writer.native_handle(), 5, &done);
  std::string read;
  char chunk[4096];
  for (ssize_t n; (n = ReadOnce(pipe.fds[0], chunk, sizeof chunk)) > 0;) read.append(chunk, static_cast<size_t>(n));
  writer.join();
  EXPECT_EQ(written, data.size());
  EXPECT_TRUE(read == filler + data);
}

// A copy ends at the end of its input, and says why when it ends sooner:
// a limit lets a file of exactly its size through and stops one byte more
// before that byte is written.
TEST(FileDescriptorIo, ACopyEndsAtTheEndTheLimitOrTheFirstFailure) {
  const std::string data(200000, 'c');  // several blocks
  FILE* file = std::tmpfile();
  ASSERT_NE(file, nullptr);
  const int fd = ::fileno(file);
  ASSERT_EQ(WriteFully(fd, data.data(), data.size()), data.size());
  std::string out;
  const auto copy = [&](uint64_t limit, bool writable = true) {
    out.clear();
    ::lseek(fd, 0, SEEK_SET);
    return CopyBytes(
        fd,
        [&](const void* bytes, size_t n) {
          out.append(static_cast<const char*>(bytes), n);
          return writable;
        },
        limit);
  };
  EXPECT_EQ(copy(data.size()), CopyEnd::Copied);
  EXPECT_TRUE(out == data);
  EXPECT_EQ(copy(data.size() - 1), CopyEnd::TooLarge);
  EXPECT_LT(out.size(), data.size());
  EXPECT_EQ(copy(UINT64_MAX, false), CopyEnd::WriteFailed);
  EXPECT_LT(out.size(), data.size());
  EXPECT_EQ(CopyBytes(-1, [](const void*, size_t) { return true; }), CopyEnd::ReadFailed);
  std::fclose(file);
}
