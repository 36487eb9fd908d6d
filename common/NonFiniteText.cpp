#include "NonFiniteText.h"

#include <charconv>
#include <cmath>
#include <string>

#include "Latin1.h"
#include "TextToNumber.h"

namespace {
NonFinite OfValue(double v) {
  if (std::isnan(v)) return NonFinite::NotANumber;
  if (std::isinf(v)) return v > 0 ? NonFinite::PlusInfinity : NonFinite::MinusInfinity;
  return NonFinite::None;
}
}  // namespace

NonFinite ClassifyNonFinite(std::string_view text) {
  if (const NonFinite kind = OfValue(TextToNumber(text)); kind != NonFinite::None) return kind;
  // The tolerant reading gives 0 for what it cannot read; the plain
  // reading (locale-free) knows the names and the overflow it gives up on.
  std::string s = Trim(text);
  for (char& c : s)
    if (c == ',') c = '.';
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.erase(0, 1);
  }
  if (s.empty() || s[0] == '+' || s[0] == '-') return NonFinite::None;
  double v = 0;
  const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (end != s.data() + s.size()) return NonFinite::None;
  if (error == std::errc::result_out_of_range) {
    // Too small a magnitude underflows towards zero, which is finite.
    const size_t e = AsciiLower(s).find('e');
    if (e != std::string::npos && s[e + 1] == '-') return NonFinite::None;
    return negative ? NonFinite::MinusInfinity : NonFinite::PlusInfinity;
  }
  if (error != std::errc()) return NonFinite::None;
  return OfValue(negative ? -v : v);
}
