#include "FormatNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <cstring>

namespace {
// The exponent form the files carry for tiny and huge numbers: "1E-6",
// "1.5E16".
char* WriteExponentForm(char* out, double v) {
  char buf[48];
  char* end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14).ptr;
  char* e = static_cast<char*>(std::memchr(buf, 'e', end - buf));
  char* mantissaEnd = e;
  while (mantissaEnd[-1] == '0') --mantissaEnd;
  if (mantissaEnd[-1] == '.') --mantissaEnd;
  out = std::copy(buf, mantissaEnd, out);
  *out++ = 'E';
  if (e[1] == '-') *out++ = '-';
  int exponent = 0;
  for (const char* d = e + 2; d < end; ++d) exponent = exponent * 10 + (*d - '0');
  return std::to_chars(out, out + 8, exponent).ptr;
}
}  // namespace

char* WriteNumber(char* out, double v) {
  if (!std::isfinite(v)) {
    const char* text = std::isnan(v) ? "NAN" : (v > 0 ? "INF" : "-INF");
    return std::copy(text, text + std::strlen(text), out);
  }
  // The cut works on the shortest decimal text of the number, so a value
  // such as 0.50196 (stored as 0.50195999999999996...) keeps its last digit
  // instead of losing it to the binary representation error.
  char buf[400];
  char* end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed).ptr;
  char* dot = static_cast<char*>(std::memchr(buf, '.', end - buf));
  if (dot) {
    if (end - dot > 7) end = dot + 7;
    while (end[-1] == '0') --end;
    if (end[-1] == '.') --end;
  }
  const bool negative = buf[0] == '-';
  char* digits = buf + (negative ? 1 : 0);
  // Leading zeros do not count as significant digits.
  char* firstSignificant = digits;
  while (firstSignificant < end && (*firstSignificant == '0' || *firstSignificant == '.')) ++firstSignificant;
  if (firstSignificant == end) {  // cut to zero: no "-0"
    *out++ = '0';
    return out;
  }
  const char* intEnd = dot && dot < end ? dot : end;
  const long integerDigits = intEnd - digits;
  const long significant = (end - firstSignificant) - (dot && dot > firstSignificant && dot < end ? 1 : 0);
  const bool tiny = integerDigits == 1 && digits[0] == '0' && dot && end - dot == 7 &&
                    firstSignificant == dot + 6;  // only the sixth decimal is left
  if (tiny || integerDigits > 15) return WriteExponentForm(out, std::strtod(std::string(buf, end).c_str(), nullptr));
  if (significant > 15) {
    // More digits than the format keeps: round to 15 significant digits.
    char g[48];
    char* gEnd = std::to_chars(g, g + sizeof g, std::strtod(std::string(buf, end).c_str(), nullptr),
                               std::chars_format::general, 15)
                     .ptr;
    return std::copy(g, gEnd, out);
  }
  return std::copy(buf, end, out);
}

void AppendNumber(std::string& out, double v) {
  char text[kMaxNumberText];
  out.append(text, WriteNumber(text, v));
}

std::string FormatNumber(double v) {
  std::string s;
  AppendNumber(s, v);
  return s;
}
