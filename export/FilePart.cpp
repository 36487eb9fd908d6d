#include "FilePart.h"

#include <algorithm>
#include <cstring>

#include "common/BlockWriter.h"

FilePart::~FilePart() { Drop(); }

void FilePart::Drop() {
  if (writer_ && block_) writer_->Return(block_);
  block_ = nullptr;
  used_ = 0;
}

void FilePart::Measure() { WriteTo(nullptr, 0); }

void FilePart::WriteTo(BlockWriter* writer, uint64_t offset) {
  Drop();
  writer_ = writer;
  offset_ = offset;
  size_ = 0;
}

void FilePart::Append(const void* data, size_t size) {
  size_ += size;
  if (!writer_) return;
  const char* from = static_cast<const char*>(data);
  const size_t room = writer_->BlockBytes();
  while (size > 0) {
    if (!block_) block_ = writer_->Take();
    const size_t n = std::min(size, room - used_);
    std::memcpy(block_ + used_, from, n);
    used_ += n;
    from += n;
    size -= n;
    if (used_ == room) Flush();
  }
}

void FilePart::Pad(size_t alignment) {
  static const char kZeros[16] = {};
  if (alignment > 0 && alignment <= sizeof kZeros && size_ % alignment != 0)
    Append(kZeros, alignment - size_ % alignment);
}

void FilePart::Flush() {
  if (!writer_ || !block_) return;
  if (used_ == 0) {
    Drop();
    return;
  }
  writer_->SubmitAt(block_, used_, offset_);
  offset_ += used_;
  block_ = nullptr;
  used_ = 0;
}
