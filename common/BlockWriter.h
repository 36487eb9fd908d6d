#pragma once
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class ReplacementFile;

// Writes a large file in blocks on a thread of its own, so that making the
// next block overlaps writing the last. A few blocks circulate: the maker
// takes an empty one, fills it and hands it over; it comes back once
// written. Every few tens of megabytes written are put on the disk by a
// third thread while the writing goes on, so the final flush finds little
// left and the page cache never holds much of the file unwritten.
class BlockWriter {
 public:
  static constexpr size_t kBlockBytes = size_t{4} << 20;
  // Each block has this much room past kBlockBytes, for the line that
  // crosses the block's end.
  static constexpr size_t kSlack = size_t{64} << 10;

  // What is written between flushes.
  static constexpr unsigned long long kFlushBytes = 32ull << 20;

  // Blocks of `blockBytes` + kSlack bytes.
  explicit BlockWriter(ReplacementFile& file, int blocks = 3, size_t blockBytes = kBlockBytes,
                       unsigned long long flushBytes = kFlushBytes);
  ~BlockWriter();  // abandons what is queued; waits for the write in flight
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  // An empty block of BlockBytes() + kSlack bytes; waits while every block
  // is being written.
  char* Take();
  size_t BlockBytes() const { return blockBytes_; }
  // Writes the first `size` bytes of a block from Take at the file's end,
  // then frees it.
  void Submit(char* block, size_t size);
  // The same at `offset`, inside a file laid out beforehand (Reserve).
  void SubmitAt(char* block, size_t size, unsigned long long offset);
  // Gives back a block from Take unwritten.
  void Return(char* block);
  // Waits until everything submitted is written and no flush is under
  // way. False when a write or a flush failed; the file then holds the
  // reason.
  bool Drain();

 private:
  struct Job {
    char* block;
    size_t size;
    bool positioned;
    unsigned long long offset;
  };
  void Run();
  void RunFlushes();
  void Stop();  // both threads end; what waits is abandoned
  void UnmapBlocks();

  ReplacementFile& file_;
  size_t blockBytes_;
  std::vector<char*> storage_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<char*> free_;
  std::deque<Job> queue_;
  bool writing_ = false, stopping_ = false, failed_ = false;
  const unsigned long long flushBytes_;
  unsigned long long unflushed_ = 0;  // written since the last flush began
  bool flushing_ = false, flushFailed_ = false;
  std::condition_variable flushWanted_;
  std::thread thread_, flusher_;
};
