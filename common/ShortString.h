#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// A fixed 64-byte short string: one length byte, then up to 63 Latin-1
// characters. Bytes past the length are kept as they are (files carry them).
#pragma pack(push, 1)
struct ShortString63 {
  uint8_t length;
  char chars[63];

  static constexpr int kCapacity = 63;

  std::string str() const { return std::string(chars, length > kCapacity ? kCapacity : length); }
  // Stores `text`, cut at 63 characters; bytes past the new length are left alone.
  void assign(std::string_view text) {
    const size_t n = text.size() > kCapacity ? kCapacity : text.size();
    for (size_t i = 0; i < n; ++i) chars[i] = text[i];
    length = static_cast<uint8_t>(n);
  }
  bool empty() const { return length == 0; }
};
#pragma pack(pop)
static_assert(sizeof(ShortString63) == 64);
