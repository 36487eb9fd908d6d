#include "ScaleRulerText.h"

#include <charconv>
#include <cstdint>
#include <vector>

#include "common/TextToNumber.h"

namespace {
std::vector<std::string> SplitFields(const std::string& text) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t bar = text.find('|', start);
    fields.push_back(text.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
    if (bar == std::string::npos) return fields;
    start = bar + 1;
  }
}

// The field as a whole integer clamped into -1 .. kMaxRulerTicks, plus one;
// `fallback` + 1 when it is absent or not an integer. Clamping comes first
// so that nothing can overflow.
int CountField(const std::vector<std::string>& fields, size_t i, int fallback) {
  if (i >= fields.size()) return fallback + 1;
  const std::string& f = fields[i];
  int64_t v = 0;
  const auto [end, ec] = std::from_chars(f.data(), f.data() + f.size(), v);
  if (end != f.data() + f.size()) return fallback + 1;
  if (ec == std::errc::result_out_of_range)
    v = (!f.empty() && f[0] == '-') ? -1 : kMaxRulerTicks;
  else if (ec != std::errc())
    return fallback + 1;
  if (v < -1) v = -1;
  if (v > kMaxRulerTicks) v = kMaxRulerTicks;
  return static_cast<int>(v) + 1;
}
}  // namespace

ScaleRuler ParseScaleRuler(const std::string& name) {
  const std::vector<std::string> fields = SplitFields(name);
  ScaleRuler r;
  r.maximum = fields.size() > 2 ? TextToNumber(fields[2]) : 0;
  r.minimum = fields.size() > 3 ? TextToNumber(fields[3]) : 0;
  r.majorTicks = CountField(fields, 4, 10);
  r.subSteps = CountField(fields, 5, 10);
  return r;
}
