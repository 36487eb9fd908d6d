#include "BlockWriter.h"

#include <sys/mman.h>

#include <new>

#include "SafeFiles.h"

BlockWriter::BlockWriter(ReplacementFile& file, int blocks, size_t blockBytes, unsigned long long flushBytes)
    : file_(file), blockBytes_(blockBytes), flushBytes_(flushBytes) {
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
  // The flusher first: the writer asks whether there is one.
  try {
    flusher_ = std::thread([this] { RunFlushes(); });
  } catch (...) {
    // No flushes on the way: the final one does it all.
  }
  try {
    thread_ = std::thread([this] { Run(); });
  } catch (...) {
    Stop();
    UnmapBlocks();
    throw;
  }
}

void BlockWriter::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    failed_ = true;  // what was not written yet is abandoned
  }
  changed_.notify_all();
  flushWanted_.notify_all();
  if (thread_.joinable()) thread_.join();
  if (flusher_.joinable()) flusher_.join();
}

void BlockWriter::UnmapBlocks() {
  for (char* block : storage_) ::munmap(block, blockBytes_ + kSlack);
  storage_.clear();
}

BlockWriter::~BlockWriter() {
  Stop();
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
  changed_.wait(lock, [this] { return queue_.empty() && !writing_ && !flushing_; });
  // Only now, with both threads idle, may the file take the reason.
  if (flushFailed_ && file_.ok()) file_.NoteFailure("cannot flush");
  return !failed_ && !flushFailed_;
}

void BlockWriter::RunFlushes() {
  std::unique_lock lock(mutex_);
  for (;;) {
    flushWanted_.wait(lock, [this] { return stopping_ || flushing_; });
    if (stopping_) return;
    lock.unlock();
    const bool flushed = file_.FlushWritten();
    lock.lock();
    flushFailed_ = flushFailed_ || !flushed;
    flushing_ = false;
    changed_.notify_all();
  }
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
    if (!skip) ok = job.positioned ? file_.WriteAt(job.offset, job.block, job.size) : file_.Write(job.block, job.size);
    lock.lock();
    writing_ = false;
    failed_ = failed_ || !ok;
    unflushed_ += job.size;
    if (ok && unflushed_ >= flushBytes_ && !flushing_ && flusher_.joinable()) {
      unflushed_ = 0;
      flushing_ = true;
      flushWanted_.notify_one();
    }
    free_.push_back(job.block);
    changed_.notify_all();
  }
}
