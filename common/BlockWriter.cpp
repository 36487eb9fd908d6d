#include "BlockWriter.h"

#include <sys/mman.h>

#include <new>

#include "SafeFiles.h"

BlockWriter::BlockWriter(ReplacementFile& file, int blocks, size_t blockBytes) : file_(file), blockBytes_(blockBytes) {
  // Mapped, not allocated: page-aligned, and given back to the system the
  // moment the export ends instead of staying in the heap.
  for (int i = 0; i < blocks; ++i) {
    void* p = ::mmap(nullptr, blockBytes_ + kSlack, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) {
      UnmapBlocks();
      throw std::bad_alloc();
    }
    storage_.emplace_back(static_cast<char*>(p));
    free_.push_back(static_cast<char*>(p));
  }
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (...) {
    UnmapBlocks();
    throw;
  }
}

void BlockWriter::UnmapBlocks() {
  for (char* block : storage_) ::munmap(block, blockBytes_ + kSlack);
  storage_.clear();
}

BlockWriter::~BlockWriter() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    failed_ = true;  // what was not written yet is abandoned
  }
  changed_.notify_all();
  thread_.join();
  UnmapBlocks();
}

char* BlockWriter::Take() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return !free_.empty(); });
  char* block = free_.back();
  free_.pop_back();
  return block;
}

void BlockWriter::Submit(char* block, size_t size) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back({block, size, false, 0});
  }
  changed_.notify_all();
}

void BlockWriter::SubmitAt(char* block, size_t size, unsigned long long offset) {
  {
    std::lock_guard lock(mutex_);
    queue_.push_back({block, size, true, offset});
  }
  changed_.notify_all();
}

void BlockWriter::Return(char* block) {
  {
    std::lock_guard lock(mutex_);
    free_.push_back(block);
  }
  changed_.notify_all();
}

bool BlockWriter::Drain() {
  std::unique_lock lock(mutex_);
  changed_.wait(lock, [this] { return queue_.empty() && !writing_; });
  return !failed_;
}

void BlockWriter::Run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (queue_.empty()) return;  // stopping, with nothing left to write
    const Job job = queue_.front();
    queue_.pop_front();
    writing_ = true;
    const bool skip = failed_;  // after a failure the rest is not written
    lock.unlock();
    bool ok = skip;
    if (!skip) {
      const unsigned long long at = job.positioned ? job.offset : file_.Size();
      ok = job.positioned ? file_.WriteAt(job.offset, job.block, job.size) : file_.Write(job.block, job.size);
      if (ok) file_.StartWriteBack(at, job.size);
    }
    lock.lock();
    writing_ = false;
    failed_ = failed_ || !ok;
    free_.push_back(job.block);
    changed_.notify_all();
  }
}
