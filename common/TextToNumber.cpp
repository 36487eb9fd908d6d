#include "TextToNumber.h"

#include <bit>
#include <charconv>
#include <cstdint>
#include <string>

#include "Latin1.h"

namespace {
bool lastConversionOk = true;

constexpr char kDegree = '\xB0';
constexpr char kPlusMinus = '\xB1';

// Strict decimal reader: [sign] digits [. digits] [e [sign] digits], whole text.
bool ReadDecimal(const std::string& s, double& out) {
  size_t i = 0;
  const size_t n = s.size();
  if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < n && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  if (i < n && s[i] == '.') {
    ++i;
    while (i < n && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < n && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < n && (s[i] == '+' || s[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < n && s[i] >= '0' && s[i] <= '9') ++i, ++expDigits;
    if (expDigits == 0) return false;
  }
  if (i != n) return false;
  const char* first = s.data();
  if (*first == '+') ++first;
  const auto [ptr, ec] = std::from_chars(first, s.data() + n, out);
  return ec == std::errc() && ptr == s.data() + n;
}

double ReadPlainNumber(std::string_view text) {
  std::string s = Trim(text);
  const size_t tolerance = s.find(kPlusMinus);
  if (tolerance != std::string::npos) s = Trim(s.substr(0, tolerance));
  for (char& c : s)
    if (c == ',') c = '.';
  lastConversionOk = true;
  double value = 0;
  lastConversionOk = ReadDecimal(s, value);
  return lastConversionOk ? value : 0.0;
}

// Text between 1-based positions a and b (exclusive), as the angle parts are
// cut; an absent mark is position 0.
std::string Between(const std::string& t, size_t a, size_t b) {
  if (b <= a + 1) return "0";
  std::string part = Trim(t.substr(a, b - a - 1));
  return part.empty() ? "0" : part;
}

size_t Pos(const std::string& t, char c) {
  const size_t p = t.find(c);
  return p == std::string::npos ? 0 : p + 1;
}
}  // namespace

bool LastConversionOk() { return lastConversionOk; }

double TextToNumber(std::string_view text) {
  if (text == "NAN" || text == "-NAN") return std::bit_cast<double>(0xFFF8000000000000ULL);
  std::string t = Trim(text);
  if (t.empty() || t[0] == 'E' || t[0] == 'e') return 0.0;
  const bool negative = t[0] == '-';
  if (negative) t = Trim(t.substr(1));

  size_t degree = Pos(t, kDegree);
  if (degree == 0) degree = Pos(t, 'o');
  const size_t minute = Pos(t, '\'');
  const size_t second = Pos(t, '"');
  if (degree == 0 && minute == 0 && second == 0) return ReadPlainNumber(text);

  const double degrees = TextToNumber(Between(t, 0, degree));
  double minutes = 0, seconds = 0;
  if (minute > 0 && degree < minute) minutes = TextToNumber(Between(t, degree, minute));
  if (minute > 0 && second > minute)
    seconds = TextToNumber(Between(t, minute, second));
  else if (minute == 0 && second > degree)
    seconds = TextToNumber(Between(t, degree, second));
  const double result = degrees + (minutes + seconds / 60.0) / 60.0;
  return negative ? -result : result;
}
