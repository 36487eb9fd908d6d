#include "FormatNumber.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

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

namespace {
constexpr char kPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Two digits of `pair` (below 100), a leading zero included.
char* WritePair(char* out, uint32_t pair) {
  std::memcpy(out, kPairs + 2 * pair, 2);
  return out + 2;
}

// The digits of a whole number below one million: the whole part of a
// number of the quick path.
char* WriteWhole(char* out, uint32_t n) {
  if (n < 10) {
    *out = static_cast<char>('0' + n);
    return out + 1;
  }
  if (n < 100) return WritePair(out, n);
  return std::to_chars(out, out + 7, n).ptr;
}

// Below this magnitude a value fits the plain form with room to spare and
// the scaled value below is exact enough to be trusted away from integers.
constexpr double kQuickLimit = 1e6;

// The common case without the decimal text: the number cut to six decimals
// is floor(|v| * 1e6) / 1e6, unless |v| * 1e6 lies so close to an integer
// that the shortest text of v and its binary value could fall on different
// sides of it (0.50196 is stored just below 0.50196); that case is settled
// below. Sets `cut` to the millionths the text keeps; false for numbers
// that take the exact path.
bool QuickMillionths(double v, uint64_t& cut) {
  const double a = std::fabs(v);
  if (!(a < kQuickLimit)) return false;
  const double scaled = a * 1e6;
  // The product and the shortest text each differ from |v| * 1e6 by under
  // 2^-52 of it; twice that, plus a margin, keeps clear of the integer.
  const double margin = scaled * 1e-15 + 1e-9;
  cut = static_cast<uint64_t>(scaled);  // the floor: scaled >= 0
  const double rest = scaled - static_cast<double>(cut);
  if (rest < margin || 1 - rest < margin) {
    // Next to an integer k (as for every whole number, every value of at
    // most six decimals, and the rounding left by turns). The double nearest
    // to k / 1e6 is d. If d is |v|, the shortest text of v is that decimal
    // itself: any other decimal of six places lies 1e-6 away, far outside
    // the few units in the last place that read back as v. Otherwise the
    // numbers that read back as v lie wholly on v's side of d, and so does
    // the shortest text (k / 1e6 is never exactly halfway between doubles).
    const uint64_t k = rest < 0.5 ? cut : cut + 1;
    const double d = static_cast<double>(k) / 1e6;
    cut = (a >= d || k == 0) ? k : k - 1;
  }
  return true;
}

// The quick path's text; null for the "1E-6" form of the smallest values
// and for numbers that take the exact path.
char* WriteQuick(char* out, double v) {
  uint64_t cut = 0;
  if (!QuickMillionths(v, cut)) return nullptr;
  if (cut == 0) {
    *out++ = '0';
    return out;
  }
  if (cut < 10) return nullptr;  // only the sixth decimal left: exponent form
  if (v < 0) *out++ = '-';
  out = WriteWhole(out, static_cast<uint32_t>(cut / 1000000));
  const auto decimals = static_cast<uint32_t>(cut % 1000000);
  if (decimals == 0) return out;
  // All six decimals, then the trailing zeros taken off again.
  *out++ = '.';
  out = WritePair(out, decimals / 10000);
  out = WritePair(out, decimals / 100 % 100);
  out = WritePair(out, decimals % 100);
  while (out[-1] == '0') --out;
  return out;
}
}  // namespace

char* WriteNumber(char* out, double v) {
  if (char* end = WriteQuick(out, v)) return end;
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

double NumberAsWritten(double v) {
  uint64_t cut = 0;
  if (QuickMillionths(v, cut) && (cut == 0 || cut >= 10)) {
    // The text is the decimal cut / 1e6 exactly; reading it rounds once,
    // as this division does (cut is far below 2^53).
    const double d = static_cast<double>(cut) / 1e6;
    return v < 0 && cut != 0 ? -d : d;
  }
  char text[kMaxNumberText];
  const char* end = WriteNumber(text, v);
  double d = 0;
  std::from_chars(text, end, d);  // "NAN" and "INF" read back as themselves
  return d;
}

std::string FormatNumber(double v) {
  std::string s;
  AppendNumber(s, v);
  return s;
}
