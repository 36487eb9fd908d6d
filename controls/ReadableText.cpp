#include "ReadableText.h"

#include <algorithm>
#include <cmath>

namespace {
// Relative luminance of an sRGB colour.
double Luminance(const QColor& c) {
  auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
  return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
// Small text wants this much (the usual rule for body text).
constexpr double kEnough = 4.5;
}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& background, const QColor& preferred) {
  if (ContrastRatio(background, preferred) >= kEnough) return preferred;
  return ContrastRatio(background, Qt::black) >= ContrastRatio(background, Qt::white) ? QColor(Qt::black)
                                                                                      : QColor(Qt::white);
}
