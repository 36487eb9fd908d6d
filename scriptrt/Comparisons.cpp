// Number and text comparisons with the operator codes of compiled scripts.
#include <cmath>
#include <cstring>

#include "scriptrt/Rounding.h"
#include "scriptrt/ScriptExports.h"
#include "scriptrt/TextArgs.h"

namespace {
enum Operator { kEqual = 0, kGreater = 1, kLess = 2, kGreaterOrEqual = 3, kLessOrEqual = 4, kNotEqual = 5 };

bool Compare(double a, double b, double op) {
  // A NaN makes every comparison false, "not equal" included.
  if (std::isnan(a) || std::isnan(b)) return false;
  switch (RoundToInt32(op)) {
    case kEqual:
      return a == b;
    case kGreater:
      return a > b;
    case kLess:
      return a < b;
    case kGreaterOrEqual:
      return a >= b;
    case kLessOrEqual:
      return a <= b;
    case kNotEqual:
      return a != b;
    default:
      return false;
  }
}

// The characters up to the first 0 byte, compared as unsigned bytes.
int CompareBytes(std::string_view a, std::string_view b) {
  a = a.substr(0, a.find('\0'));
  b = b.substr(0, b.find('\0'));
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  const int c = n ? std::memcmp(a.data(), b.data(), n) : 0;
  if (c != 0) return c;
  return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}
}  // namespace

extern "C" {

int32_t zemoscriptprocDBLCOMP(double a, double b, double op) { return Compare(a, b, op) ? 1 : 0; }

double zemoscriptDBLCOMP2(double a, double b, double op) { return Compare(a, b, op) ? 1.0 : 0.0; }

double zemoscriptDBLCOMP3(const ScriptText* a, const ScriptText* b, double op) {
  const std::string_view ta = TextOf(a), tb = TextOf(b);
  switch (RoundToInt32(op)) {
    case kEqual:
      return ta == tb ? 1.0 : 0.0;
    case kGreater:
      return CompareBytes(ta, tb) > 0 ? 1.0 : 0.0;
    case kLess:
      return CompareBytes(ta, tb) < 0 ? 1.0 : 0.0;
    default:
      return 0.0;
  }
}

}  // extern "C"
