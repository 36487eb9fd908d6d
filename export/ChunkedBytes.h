#pragma once
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

// Bytes gathered in blocks that never move: growing never copies what is
// held, so a large output costs its own size and not twice that.
class ChunkedBytes {
 public:
  void Append(const void* data, size_t size);
  void Append(std::string_view text) { Append(text.data(), text.size()); }
  // Zero bytes up to the next multiple of `alignment`.
  void Pad(size_t alignment);
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  void Clear();
  // The bytes, in order, as pieces valid while this is unchanged.
  void AppendPieces(std::vector<std::string_view>& pieces) const;

 private:
  struct Free {
    void operator()(char* p) const;
  };
  struct Chunk {
    std::unique_ptr<char, Free> bytes;
    size_t capacity, used;
  };
  std::vector<Chunk> chunks_;
  size_t size_ = 0;
};
