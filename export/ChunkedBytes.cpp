#include "ChunkedBytes.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "common/HugePages.h"

namespace {
// Small outputs take little; large ones grow by blocks of 4 MB.
constexpr size_t kFirstChunk = size_t{64} << 10, kLargestChunk = size_t{4} << 20;
constexpr size_t kHugePage = size_t{2} << 20;

// Not zeroed: pages are touched only as they fill. Large blocks start on a
// huge page, so that filling them takes two faults instead of a thousand.
char* NewChunk(size_t capacity) {
  void* p = capacity >= 2 * kHugePage ? std::aligned_alloc(kHugePage, capacity) : std::malloc(capacity);
  if (!p) throw std::bad_alloc();
  AdviseHugePages(p, capacity);
  return static_cast<char*>(p);
}
}  // namespace

void ChunkedBytes::Free::operator()(char* p) const { std::free(p); }

void ChunkedBytes::Append(const void* data, size_t size) {
  const char* from = static_cast<const char*>(data);
  while (size > 0) {
    if (chunks_.empty() || chunks_.back().used == chunks_.back().capacity) {
      const size_t capacity = std::clamp(size_, kFirstChunk, kLargestChunk);
      chunks_.push_back({std::unique_ptr<char, Free>(NewChunk(capacity)), capacity, 0});
    }
    Chunk& last = chunks_.back();
    const size_t n = std::min(size, last.capacity - last.used);
    std::memcpy(last.bytes.get() + last.used, from, n);
    last.used += n;
    size_ += n;
    from += n;
    size -= n;
  }
}

void ChunkedBytes::Pad(size_t alignment) {
  static const char kZeros[16] = {};
  if (alignment > 0 && alignment <= sizeof kZeros && size_ % alignment != 0)
    Append(kZeros, alignment - size_ % alignment);
}

void ChunkedBytes::Clear() {
  chunks_.clear();
  size_ = 0;
}

void ChunkedBytes::AppendPieces(std::vector<std::string_view>& pieces) const {
  for (const Chunk& c : chunks_)
    if (c.used > 0) pieces.emplace_back(c.bytes.get(), c.used);
}
