#include "RecordSnapshot.h"

#include <algorithm>
#include <cstring>
#include <unordered_set>

#include "RecordDelta.h"
#include "common/TIMem32.h"

RecordSnapshot::RecordSnapshot(const TIMem32& from, const RecordSnapshot* like)
    : recordSize_(from.RecordSize), count_(from.Count()), growBy_(from.GrowBy), zeroNew_(from.ZeroNew) {
  const uint8_t* data = from.Data();
  if (!data || count_ <= 0 || recordSize_ <= 0) {
    count_ = 0;  // nothing readable to keep
    return;
  }
  const bool comparable = like && like->recordSize_ == recordSize_;
  const size_t recordBytes = static_cast<size_t>(recordSize_);
  const size_t chunkBytes = static_cast<size_t>(kChunkRecords) * recordBytes;
  const size_t total = static_cast<size_t>(count_) * recordBytes;
  chunks_.reserve((total + chunkBytes - 1) / chunkBytes);
  Chunk encoded;
  for (size_t at = 0, k = 0; at < total; at += chunkBytes, ++k) {
    const size_t bytes = std::min(chunkBytes, total - at);
    if (comparable && k < like->chunks_.size()) {
      const Chunk& old = *like->chunks_[k];
      if (record_delta::Equals(old.data(), old.size(), data + at, bytes, recordBytes)) {
        chunks_.push_back(like->chunks_[k]);
        continue;
      }
    }
    encoded.clear();
    record_delta::Encode(data + at, bytes, recordBytes, encoded);
    chunks_.push_back(std::make_shared<const Chunk>(encoded.begin(), encoded.end()));
  }
}

void RecordSnapshot::RestoreTo(TIMem32& to) const {
  to.Clear();
  to.ZeroNew = zeroNew_;
  to.GrowBy = growBy_;
  to.RecordSize = recordSize_;
  to.Allocate(count_);
  to.Position = 0;
  uint8_t* data = to.Data();
  if (!data) return;
  const size_t recordBytes = static_cast<size_t>(recordSize_);
  const size_t chunkBytes = static_cast<size_t>(kChunkRecords) * recordBytes;
  const size_t total = static_cast<size_t>(count_) * recordBytes;
  size_t at = 0;
  for (const auto& chunk : chunks_) {
    const size_t bytes = std::min(chunkBytes, total - at);
    // Chunks are only ever this copy's own encodings; should one not decode,
    // its records come back zeroed rather than half-written.
    if (!record_delta::Decode(chunk->data(), chunk->size(), data + at, bytes, recordBytes))
      std::memset(data + at, 0, bytes);
    at += bytes;
  }
}

size_t RecordSnapshot::OwnBytes() const {
  size_t bytes = 0;
  for (const auto& chunk : chunks_)
    if (chunk.use_count() == 1) bytes += chunk->size();
  return bytes;
}

size_t RecordSnapshot::HeldBytes(const std::vector<const RecordSnapshot*>& copies) {
  std::unordered_set<const Chunk*> seen;
  size_t bytes = 0;
  for (const RecordSnapshot* copy : copies)
    if (copy)
      for (const auto& chunk : copy->chunks_)
        if (seen.insert(chunk.get()).second) bytes += chunk->size();
  return bytes;
}
