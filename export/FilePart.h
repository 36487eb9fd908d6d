#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

class BlockWriter;

// One stretch of a file laid out in advance, filled front to back: while
// a file's layout is being measured the part only counts its bytes; once
// the file is laid out, the same bytes go to their place in it, a block at
// a time through the writer's thread. Memory stays one block per part,
// whatever the file's size.
class FilePart {
 public:
  FilePart() = default;
  FilePart(const FilePart&) = delete;
  FilePart& operator=(const FilePart&) = delete;
  ~FilePart();

  // While measuring, `data` is not read (it may be null).
  void Append(const void* data, size_t size);
  void Append(std::string_view text) { Append(text.data(), text.size()); }
  // Zero bytes up to the next multiple of `alignment` (at most 16).
  void Pad(size_t alignment);
  uint64_t size() const { return size_; }
  // Only counting: nothing appended is read.
  bool counting() const { return writer_ == nullptr; }
  bool empty() const { return size_ == 0; }

  // Counting only, from nothing.
  void Measure();
  // From now on the bytes go to `writer` from `offset` on (null: counted only).
  void WriteTo(BlockWriter* writer, uint64_t offset);
  // Hands the last, partial block to the writer.
  void Flush();

 private:
  void Drop();
  BlockWriter* writer_ = nullptr;
  uint64_t offset_ = 0;  // where the block being filled starts in the file
  uint64_t size_ = 0;
  char* block_ = nullptr;
  size_t used_ = 0;
};
