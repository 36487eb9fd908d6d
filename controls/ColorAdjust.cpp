#include "ColorAdjust.h"

#include <algorithm>
#include <cmath>

namespace {
double HueToChannel(double p, double q, double t) {
  if (t < 0) t += 1;
  if (t > 1) t -= 1;
  if (t < 1.0 / 6) return p + (q - p) * 6 * t;
  if (t < 0.5) return q;
  if (t < 2.0 / 3) return p + (q - p) * (2.0 / 3 - t) * 6;
  return p;
}

int Channel(double v) { return std::clamp(static_cast<int>(std::nearbyint(v * 255.0)), 0, 255); }
}  // namespace

TColor AdjustColor(TColor rgb, int saturacao, int luminosidade) {
  const double r = (rgb & 0xFF) / 255.0, g = ((rgb >> 8) & 0xFF) / 255.0, b = ((rgb >> 16) & 0xFF) / 255.0;
  const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
  double h = 0, s = 0, l = (mx + mn) / 2;
  if (mx != mn) {
    const double d = mx - mn;
    s = l < 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    if (mx == r)
      h = (g - b) / d + (g < b ? 6 : 0);
    else if (mx == g)
      h = (b - r) / d + 2;
    else
      h = (r - g) / d + 4;
    h /= 6;
  }
  s *= saturacao * 0.01;
  if (l > 0) l = std::min(1.0, l * luminosidade * 0.02);
  double R, G, B;
  if (s == 0) {
    R = G = B = l;
  } else {
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    R = HueToChannel(p, q, h + 1.0 / 3);
    G = HueToChannel(p, q, h);
    B = HueToChannel(p, q, h - 1.0 / 3);
  }
  return PaletteRelative(RGBColor(Channel(R), Channel(G), Channel(B)));
}
