#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class TIMem32;

// A copy of a record store kept for undo, in chunks of records that later
// copies share while their bytes stay the same: a step that changes one
// element of a large document keeps one chunk of it, not the whole
// document again. Each chunk is held encoded (record_delta), a fraction of
// its records' size, and a new copy compares the records with the earlier
// copy's encoded chunk directly, which costs about as much as comparing
// two plain copies.
class RecordSnapshot {
 public:
  static constexpr int32_t kChunkRecords = 64;

  // A copy of `from`; chunks equal to those of `like` (an earlier copy, or
  // null) are shared with it.
  RecordSnapshot(const TIMem32& from, const RecordSnapshot* like);
  // Puts the copy back into `to`, with the settings it was taken with.
  void RestoreTo(TIMem32& to) const;
  int32_t Count() const { return count_; }
  // Encoded bytes held by chunks of this copy alone (shared chunks are not
  // counted).
  size_t OwnBytes() const;
  // Encoded bytes held by `copies` together, each shared chunk counted once.
  static size_t HeldBytes(const std::vector<const RecordSnapshot*>& copies);

 private:
  using Chunk = std::vector<uint8_t>;  // encoded records
  int32_t recordSize_ = 0, count_ = 0, growBy_ = 0;
  bool zeroNew_ = false;
  std::vector<std::shared_ptr<const Chunk>> chunks_;
};
