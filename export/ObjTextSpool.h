#pragma once
#include <cstddef>
#include <string>
#include <string_view>

class BlockWriter;

// The OBJ text as the recording makes it. Each line is formatted straight
// into the spool (no temporary line, no copy). Without a writer the text
// stays in memory; with one, every full block goes to the file while the
// next fills, so memory stays a few blocks whatever the scene.
class ObjTextSpool {
 public:
  // The most one line may take.
  static constexpr size_t kMaxLine = 512;

  ObjTextSpool() = default;
  ObjTextSpool(const ObjTextSpool&) = delete;
  ObjTextSpool& operator=(const ObjTextSpool&) = delete;

  // Room for one line of at most kMaxLine bytes; End(its end) after it.
  char* Line() { return static_cast<size_t>(end_ - pos_) >= kMaxLine ? pos_ : MakeRoom(); }
  void End(char* lineEnd) { pos_ = lineEnd; }
  void Append(std::string_view text);

  // Full blocks go to `writer` from now on (null: the text stays in
  // memory). Drops what is held.
  void WriteTo(BlockWriter* writer);
  // Hands the last, partial block to the writer.
  void Flush();
  // What is held and not yet handed to the writer.
  std::string_view Text() const { return {begin_, static_cast<size_t>(pos_ - begin_)}; }
  // Drops what is held.
  void Clear() { pos_ = begin_; }
  // Drops what is held and frees the memory; the writer is let go.
  void Release();

 private:
  char* MakeRoom();
  BlockWriter* writer_ = nullptr;
  std::string memory_;  // the buffer without a writer
  char* begin_ = nullptr;
  char* pos_ = nullptr;
  char* end_ = nullptr;
};
