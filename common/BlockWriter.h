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
// written. The blocks are aligned for uncached writes.
class BlockWriter {
 public:
  static constexpr size_t kBlockBytes = size_t{4} << 20;
  // Each block has this much room past kBlockBytes, for the line that
  // crosses the block's end.
  static constexpr size_t kSlack = size_t{64} << 10;

  explicit BlockWriter(ReplacementFile& file, int blocks = 3);
  ~BlockWriter();  // abandons what is queued; waits for the write in flight
  BlockWriter(const BlockWriter&) = delete;
  BlockWriter& operator=(const BlockWriter&) = delete;

  // An empty block of kBlockBytes + kSlack bytes; waits while every block
  // is being written.
  char* Take();
  // Writes the first `size` bytes of a block from Take, then frees it.
  void Submit(char* block, size_t size);
  // Gives back a block from Take unwritten.
  void Return(char* block);
  // Waits until everything submitted is written. False when a write
  // failed; the file then holds the reason.
  bool Drain();

 private:
  struct Job {
    char* block;
    size_t size;
  };
  void Run();
  void UnmapBlocks();

  ReplacementFile& file_;
  std::vector<char*> storage_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<char*> free_;
  std::deque<Job> queue_;
  bool writing_ = false, stopping_ = false, failed_ = false;
  std::thread thread_;
};
