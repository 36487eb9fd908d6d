#include "ColorValue.h"

#include <QGuiApplication>
#include <QPalette>

namespace {
uint32_t FromQColor(const QColor& c) {
  return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 |
         static_cast<uint32_t>(c.blue()) << 16;
}

// Windows' classic scheme, for a process without a palette.
uint32_t ClassicColor(int index) {
  switch (index) {
    case 5: return 0xFFFFFF;                            // window
    case 8: case 7: case 18: case 9: return 0x000000;   // texts
    case 13: return 0x6A240A;                           // selection
    case 14: return 0xFFFFFF;                           // selected text
    case 16: return 0x808080;                           // shadow
    case 20: return 0xFFFFFF;                           // 3-D light
    default: return 0xC8D0D4;                           // button face and the rest
  }
}
}  // namespace

uint32_t ResolveColor(uint32_t color) {
  if ((color & 0xFF000000u) != 0x80000000u) return color & 0x00FFFFFFu;
  const int index = static_cast<int>(color & 0xFF);
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return ClassicColor(index);
  const QPalette palette = QGuiApplication::palette();
  switch (index) {
    case 5: return FromQColor(palette.color(QPalette::Base));
    case 7: case 8: case 9: case 18: return FromQColor(palette.color(QPalette::Text));
    case 13: return FromQColor(palette.color(QPalette::Highlight));
    case 14: return FromQColor(palette.color(QPalette::HighlightedText));
    case 16: return FromQColor(palette.color(QPalette::Dark));
    case 20: return FromQColor(palette.color(QPalette::Light));
    default: return FromQColor(palette.color(QPalette::Button));
  }
}
