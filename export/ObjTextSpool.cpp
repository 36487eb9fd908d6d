#include "ObjTextSpool.h"

#include <algorithm>
#include <cstring>

#include "common/BlockWriter.h"

void ObjTextSpool::Append(std::string_view text) {
  while (!text.empty()) {
    const size_t n = std::min(text.size(), kMaxLine);
    char* at = Line();
    std::memcpy(at, text.data(), n);
    End(at + n);
    text.remove_prefix(n);
  }
}

char* ObjTextSpool::MakeRoom() {
  const size_t used = static_cast<size_t>(pos_ - begin_);
  if (!writer_) {
    memory_.resize(std::max({memory_.size() * 2, used + kMaxLine, size_t{1} << 16}));
    begin_ = memory_.data();
  } else if (!begin_) {
    begin_ = writer_->Take();
  } else {
    // Past a whole block: it goes out, and the line that crossed its end
    // starts the next one.
    char* next = writer_->Take();
    std::memcpy(next, begin_ + BlockWriter::kBlockBytes, used - BlockWriter::kBlockBytes);
    writer_->Submit(begin_, BlockWriter::kBlockBytes);
    begin_ = next;
    pos_ = next + (used - BlockWriter::kBlockBytes);
    end_ = next + BlockWriter::kBlockBytes + BlockWriter::kSlack;
    return pos_;
  }
  pos_ = begin_ + used;
  end_ = begin_ + (writer_ ? BlockWriter::kBlockBytes + BlockWriter::kSlack : memory_.size());
  return pos_;
}

void ObjTextSpool::Flush() {
  if (!writer_ || !begin_) return;
  if (pos_ > begin_)
    writer_->Submit(begin_, static_cast<size_t>(pos_ - begin_));
  else
    writer_->Return(begin_);
  begin_ = pos_ = end_ = nullptr;
}

void ObjTextSpool::WriteTo(BlockWriter* writer) {
  if (writer_ && begin_) writer_->Return(begin_);
  writer_ = writer;
  memory_.clear();
  begin_ = pos_ = end_ = writer_ ? nullptr : memory_.data();
}

void ObjTextSpool::Release() {
  WriteTo(nullptr);
  memory_.shrink_to_fit();
  begin_ = pos_ = end_ = memory_.data();
}
