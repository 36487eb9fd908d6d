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

// The largest tick or step count a ruler is drawn with. The picture is 256
// pixels tall, so more ticks than that only overdraw each other; the bound
// keeps the worst ruler to about 66 000 short lines.
inline constexpr int kMaxRulerTicks = 256;

// Reads a scale label's name (the "@escala|" prefix is not checked). The
// counts are clamped into -1 .. kMaxRulerTicks before one is added, so any
// text gives counts in 0 .. kMaxRulerTicks + 1 (0 and below draw nothing).
// The limits may be any double (NaN and infinities included).
ScaleRuler ParseScaleRuler(const std::string& name);
