#include "ArrowDirections.h"

#include <algorithm>
#include <cmath>

namespace {
// An axis whose picture is shorter than this share of the longest points
// (almost) into the screen.
constexpr double kEndOn = 0.05;
// Below this cosine (about 75 degrees) an axis runs across the arrow.
constexpr double kAcross = 0.26;

double Length(const double p[2]) { return std::hypot(p[0], p[1]); }

double Longest(const AxesOnScreen& a) {
  return std::max({Length(a.pixels[0]), Length(a.pixels[1]), Length(a.pixels[2])});
}

void Direction(Arrow arrow, double d[2]) {
  d[0] = arrow == Arrow::Right ? 1 : arrow == Arrow::Left ? -1 : 0;
  d[1] = arrow == Arrow::Down ? 1 : arrow == Arrow::Up ? -1 : 0;
}

bool EndOn(const AxesOnScreen& a, int axis) { return !(Length(a.pixels[axis]) > kEndOn * Longest(a)); }

// Up and Right push an axis seen end-on away from the viewer.
double AwaySign(const AxesOnScreen& a, int axis, bool forward) {
  const double s = a.sight[axis] < 0 ? -1 : 1;
  return forward ? s : -s;
}

double Cosine(const AxesOnScreen& a, int axis, const double d[2]) {
  const double* p = a.pixels[axis];
  return (p[0] * d[0] + p[1] * d[1]) / Length(p);
}
}  // namespace

double ArrowSign(const AxesOnScreen& axes, int axis, Arrow arrow) {
  if (axis < 0 || axis > 2) return 1;
  const bool forward = arrow == Arrow::Right || arrow == Arrow::Up;
  if (EndOn(axes, axis)) return AwaySign(axes, axis, forward);
  double d[2];
  Direction(arrow, d);
  double c = Cosine(axes, axis, d);
  if (std::fabs(c) < kAcross) {
    Direction(arrow == Arrow::Right  ? Arrow::Up
              : arrow == Arrow::Left ? Arrow::Down
              : arrow == Arrow::Up   ? Arrow::Right
                                     : Arrow::Left,
              d);
    // Right answers as Up, and Up as Right: the pair turns together.
    c = Cosine(axes, axis, d);
  }
  return c < 0 ? -1 : 1;
}

FloorAxes FloorAxesOnScreen(const AxesOnScreen& axes) {
  // The pairing (x across, z up) or (z across, x up) that fits the screen
  // best as a whole, so the two arrows never share an axis.
  auto fit = [&](int axis, int component) {
    return EndOn(axes, axis) ? 0 : std::fabs(axes.pixels[axis][component]) / Length(axes.pixels[axis]);
  };
  FloorAxes f;
  if (fit(2, 0) + fit(0, 1) > fit(0, 0) + fit(2, 1)) f.h = 2, f.v = 0;
  // A floor axis goes the arrow's way however little it leans to it; only
  // one seen end-on needs the rule of the single axes.
  const double right = axes.pixels[f.h][0], up = -axes.pixels[f.v][1];
  f.signH = EndOn(axes, f.h) || right == 0 ? ArrowSign(axes, f.h, Arrow::Right) : right < 0 ? -1 : 1;
  f.signV = EndOn(axes, f.v) || up == 0 ? ArrowSign(axes, f.v, Arrow::Up) : up < 0 ? -1 : 1;
  return f;
}
