#include "JsonText.h"

#include <charconv>
#include <cmath>

void AppendJsonString(std::string& out, std::string_view latin1) {
  static const char kHex[] = "0123456789abcdef";
  out += '"';
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '"' || byte == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      out += "\\u00";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else if (byte < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  out += '"';
}

void AppendJsonNumber(std::string& out, float value) {
  if (!std::isfinite(value) || value == 0) value = 0;  // also turns -0 into 0
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  out.append(text, result.ptr);
}
