// Text functions of scripts. Positions are 1-based; 0 means "not found".
#include <cstdint>
#include <cstring>
#include <string>

#include "common/Latin1.h"
#include "common/TextToNumber.h"
#include "scriptrt/Rounding.h"
#include "scriptrt/ScriptExports.h"
#include "scriptrt/TextArgs.h"

namespace {
double PositionFrom(std::string_view text, std::string_view part, int32_t start) {
  if (part.empty() || start < 1 || static_cast<size_t>(start) > text.size()) return 0.0;
  const size_t at = text.find(part, static_cast<size_t>(start - 1));
  return at == std::string_view::npos ? 0.0 : static_cast<double>(at + 1);
}

// "&H" numbers: up to eight hex digits, read as a 32-bit signed value.
double HexValue(std::string_view digits) {
  if (digits.empty() || digits.size() > 8) return 0.0;
  uint32_t value = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else
      return 0.0;
    value = value * 16 + static_cast<uint32_t>(d);
  }
  return static_cast<double>(static_cast<int32_t>(value));
}
}  // namespace

extern "C" {

double zemoscriptLEN(const ScriptText* text) { return text ? text->length : 0.0; }

double zemoscriptORD(const ScriptText* text) {
  const std::string_view t = TextOf(text);
  return t.empty() ? 0.0 : static_cast<unsigned char>(t[0]);
}

double zemoscriptINSTR(const ScriptText* text, const ScriptText* part) {
  return PositionFrom(TextOf(text), TextOf(part), 1);
}

double zemoscriptINSTRPOS(double start, const ScriptText* text, const ScriptText* part) {
  return PositionFrom(TextOf(text), TextOf(part), RoundToInt32(start));
}

double zemoscriptVAL(const ScriptText* text) {
  const std::string_view t = TextOf(text);
  if (t.size() >= 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h')) return HexValue(Trim(t.substr(2)));
  return TextToNumber(t);
}

ScriptText* zemoscriptsTESTETEXTO(ScriptText* text) {
  if (!text) return nullptr;
  const std::string upper = Latin1Upper(TextOf(text));
  std::memcpy(CharsOf(text), upper.data(), upper.size());
  text->capacity = text->length;
  return text;
}

}  // extern "C"
