#include "RecordSnapshot.h"

#include <algorithm>
#include <cstring>

#include "common/TIMem32.h"

RecordSnapshot::RecordSnapshot(const TIMem32& from, const RecordSnapshot* like)
    : recordSize_(from.RecordSize), count_(from.Count()), growBy_(from.GrowBy), zeroNew_(from.ZeroNew) {
  const uint8_t* data = from.Data();
  if (!data || count_ <= 0 || recordSize_ <= 0) {
    count_ = 0;  // nothing readable to keep
    return;
  }
  const bool comparable = like && like->recordSize_ == recordSize_;
  const size_t chunkBytes = static_cast<size_t>(kChunkRecords) * static_cast<size_t>(recordSize_);
  const size_t total = static_cast<size_t>(count_) * static_cast<size_t>(recordSize_);
  chunks_.reserve((total + chunkBytes - 1) / chunkBytes);
  for (size_t at = 0, k = 0; at < total; at += chunkBytes, ++k) {
    const size_t bytes = std::min(chunkBytes, total - at);
    if (comparable && k < like->chunks_.size()) {
      const Chunk& old = *like->chunks_[k];
      if (old.size() == bytes && std::memcmp(old.data(), data + at, bytes) == 0) {
        chunks_.push_back(like->chunks_[k]);
        continue;
      }
    }
    chunks_.push_back(std::make_shared<const Chunk>(data + at, data + at + bytes));
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
  size_t at = 0;
  for (const auto& chunk : chunks_) {
    std::memcpy(data + at, chunk->data(), chunk->size());
    at += chunk->size();
  }
}

size_t RecordSnapshot::OwnBytes() const {
  size_t bytes = 0;
  for (const auto& chunk : chunks_)
    if (chunk.use_count() == 1) bytes += chunk->size();
  return bytes;
}
