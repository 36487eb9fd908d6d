// Listing fields: whatever the bytes, the escaped text holds no control
// byte at all and reads back to exactly the bytes it came from.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/EscapedText.h"

namespace {
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The reverse of the escaping; aborts on anything the escaping never writes.
std::string ReadBack(const std::string& field) {
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\') {
      out += field[i];
      continue;
    }
    if (++i >= field.size()) std::abort();
    switch (field[i]) {
      case 't':
        out += '\t';
        break;
      case 'n':
        out += '\n';
        break;
      case 'r':
        out += '\r';
        break;
      case '\\':
        out += '\\';
        break;
      case 'x': {
        if (i + 2 >= field.size()) std::abort();
        const int high = HexDigit(field[i + 1]), low = HexDigit(field[i + 2]);
        if (high < 0 || low < 0) std::abort();
        out += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        std::abort();
    }
  }
  return out;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::string field = "prefix";
  AppendEscaped(field, text);
  field.erase(0, 6);
  for (char c : field)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) std::abort();
  if (ReadBack(field) != text) std::abort();
  return 0;
}
