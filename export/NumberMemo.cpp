#include "NumberMemo.h"

NumberMemo::NumberMemo() {
  // Every slot starts as the number 0, whose text is "0".
  for (Value& v : values_) v = {0, static_cast<float>(NumberAsWritten(0.0))};
  for (Text& t : texts_) {
    t = {};
    t.bits = 0;
    t.size = static_cast<uint8_t>(WriteNumber(t.text, 0.0) - t.text);
  }
}

char* NumberMemo::Remember(Text& slot, uint64_t bits, char* out, double v) {
  char* end = WriteNumber(out, v);
  const auto size = static_cast<size_t>(end - out);
  if (size <= sizeof slot.text) {  // longer texts (exponents, 15 digits) are rare
    slot.bits = bits;
    std::memcpy(slot.text, out, size);
    slot.size = static_cast<uint8_t>(size);
  }
  return end;
}
