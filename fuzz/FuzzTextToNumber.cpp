// Any text must convert without crashing, and plain decimals must read back.
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/TextToNumber.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  (void)TextToNumber(text);
  if (size >= sizeof(double)) {
    double v;
    std::memcpy(&v, data, sizeof v);
    if (std::isfinite(v)) {
      char buf[64];
      const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
      if (TextToNumber(std::string(buf, end)) != v) std::abort();
    }
  }
  return 0;
}
