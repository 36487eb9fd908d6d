#pragma once
#include <cstdint>
#include <cstring>

#include "FormatNumber.h"

// Remembers the last numbers an export wrote, by their exact bits: an
// element repeats a few coordinates, normals and texture coordinates over
// and over (every corner a face shares), and looking one up costs a
// fraction of cutting and formatting it again. Room for a couple of
// thousand: turned elements spread their corners over many numbers, which
// the elements around them share. What comes back is what NumberAsWritten
// and WriteNumber give, bit for bit.
class NumberMemo {
 public:
  NumberMemo();

  // NumberAsWritten(v), as a float.
  float AsWritten(double v) {
    const uint64_t bits = Bits(v);
    Value& slot = values_[Slot(bits)];
    if (slot.bits != bits) slot = {bits, static_cast<float>(NumberAsWritten(v))};
    return slot.value;
  }

  // WriteNumber(out, v). `out` has room for kMaxNumberText bytes.
  char* Write(char* out, double v) {
    const uint64_t bits = Bits(v);
    Text& slot = texts_[Slot(bits)];
    if (slot.bits != bits) return Remember(slot, bits, out, v);
    std::memcpy(out, slot.text, sizeof slot.text);  // the whole room: one fixed-size copy
    return out + slot.size;
  }

 private:
  static constexpr int kSlotBits = 11;
  struct Value {
    uint64_t bits;
    float value;
  };
  struct Text {
    uint64_t bits;
    char text[23];
    uint8_t size;
  };
  static uint64_t Bits(double v) {
    uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
  }
  static size_t Slot(uint64_t bits) { return static_cast<size_t>((bits * 0x9E3779B97F4A7C15ULL) >> (64 - kSlotBits)); }
  char* Remember(Text& slot, uint64_t bits, char* out, double v);

  Value values_[1 << kSlotBits];
  Text texts_[1 << kSlotBits];
};
