#pragma once
#include <string>

// The fields of a scale label's name, "@escala|<any>|<max>|<min>|<ticks>|<steps>|":
// the value at the top and at the bottom of the ruler, the number of major
// ticks and the number of sub-tick steps between two major ticks (each
// field's integer plus one; 10 when absent or unreadable, so 11).
struct ScaleRuler {
  double maximum = 0;
  double minimum = 0;
  int majorTicks = 11;
  int subSteps = 11;
};

// The largest tick or step count a ruler is drawn with. The ruler is 244
// pixels tall: 64 ticks are already under 4 pixels apart, with labels 8
// pixels high. The bound keeps the worst ruler to about 4 200 short lines
// and 65 labels, a few milliseconds like an ordinary label.
inline constexpr int kMaxRulerTicks = 64;

// Reads a scale label's name (the "@escala|" prefix is not checked). The
// counts are clamped into -1 .. kMaxRulerTicks before one is added, so any
// text gives counts in 0 .. kMaxRulerTicks + 1 (0 and below draw nothing).
// The limits may be any double (NaN and infinities included).
ScaleRuler ParseScaleRuler(const std::string& name);
