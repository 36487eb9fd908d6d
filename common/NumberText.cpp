#include "NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

std::string FormatGeneral(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15G", value);
  std::string s = buf;
  const size_t e = s.find('E');
  if (e == std::string::npos) return s == "-0" ? "0" : s;
  // "1.5E+020"-style exponents read as "1.5E20".
  std::string mantissa = s.substr(0, e);
  const int exponent = std::atoi(s.c_str() + e + 1);
  return mantissa + "E" + std::to_string(exponent);
}
