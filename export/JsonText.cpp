#include "JsonText.h"

#include <charconv>
#include <cmath>

void AppendJsonString(FilePart& out, std::string_view latin1) {
  static const char kHex[] = "0123456789abcdef";
  if (out.counting()) {
    size_t bytes = 2;
    for (const char c : latin1) {
      const auto byte = static_cast<unsigned char>(c);
      bytes += byte == '"' || byte == '\\' ? 2 : byte < 0x20 || byte == 0x7F ? 6 : byte < 0x80 ? 1 : 2;
    }
    return out.Append(nullptr, bytes);
  }
  // Made a stretch at a time: at most 6 bytes a character, and room kept
  // for the closing quote.
  char text[256];
  size_t n = 0;
  text[n++] = '"';
  for (const char c : latin1) {
    if (n + 7 > sizeof text) {
      out.Append(text, n);
      n = 0;
    }
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '"' || byte == '\\') {
      text[n++] = '\\';
      text[n++] = c;
    } else if (byte < 0x20 || byte == 0x7F) {
      for (const char e : {'\\', 'u', '0', '0', kHex[byte >> 4], kHex[byte & 15]}) text[n++] = e;
    } else if (byte < 0x80) {
      text[n++] = c;
    } else {
      text[n++] = static_cast<char>(0xC0 | (byte >> 6));
      text[n++] = static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  text[n++] = '"';
  out.Append(text, n);
}

void AppendJsonNumber(FilePart& out, float value) {
  if (!std::isfinite(value) || value == 0) value = 0;  // also turns -0 into 0
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  out.Append(text, static_cast<size_t>(result.ptr - text));
}

void AppendJsonWhole(FilePart& out, uint64_t n) {
  if (out.counting()) {
    size_t digits = 1;
    for (uint64_t rest = n; rest >= 10; rest /= 10) ++digits;
    return out.Append(nullptr, digits);
  }
  char text[20];
  const auto result = std::to_chars(text, text + sizeof text, n);
  out.Append(text, static_cast<size_t>(result.ptr - text));
}
