#include "scriptrt/NumberText.h"

#include <langinfo.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
constexpr int kPrecision = 15;

std::string DecimalSeparator() {
  // Follows whatever LC_NUMERIC the host has set (a Qt program takes the
  // user's one at start-up).
  const char* radix = nl_langinfo(RADIXCHAR);
  return (radix && *radix) ? std::string(radix) : std::string(".");
}
}  // namespace

std::string NumberToText(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-NAN" : "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";

  // Digits and exponent of the value rounded to 15 significant digits.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", kPrecision - 1, std::fabs(value));
  std::string digits;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (*p >= '0' && *p <= '9') digits += *p;
  const int exponent = std::atoi(p + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = value < 0 ? "-" : "";
  const std::string separator = DecimalSeparator();
  if (exponent >= kPrecision || exponent < -5) {
    out += digits[0];
    if (digits.size() > 1) out += separator + digits.substr(1);
    out += "E" + std::to_string(exponent);
    return out;
  }
  if (exponent < 0) {
    out += "0" + separator + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    return out;
  }
  const size_t integerDigits = static_cast<size_t>(exponent) + 1;
  if (digits.size() <= integerDigits) {
    out += digits + std::string(integerDigits - digits.size(), '0');
  } else {
    out += digits.substr(0, integerDigits) + separator + digits.substr(integerDigits);
  }
  return out;
}
