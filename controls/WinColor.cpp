#include "WinColor.h"

#include <QApplication>
#include <QPalette>

namespace {
QPalette::ColorRole RoleOfSystemColor(unsigned index) {
  switch (index) {
    case 5: return QPalette::Base;              // window background
    case 8: return QPalette::Text;              // window text
    case 13: return QPalette::Highlight;        // selection
    case 14: return QPalette::HighlightedText;  // selected text
    case 15: return QPalette::Button;           // button face
    case 16: return QPalette::Dark;             // button shadow
    case 18: return QPalette::ButtonText;
    case 20: return QPalette::Light;            // 3-D light
    case 21: return QPalette::Shadow;           // 3-D dark shadow
    case 1: case 4: case 7: return QPalette::Window;
    default: return QPalette::Window;
  }
}
}  // namespace

QColor WinToQColor(TColor c) {
  if (IsSystemColor(c)) {
    const QColor q = QApplication::palette().color(QPalette::Active, RoleOfSystemColor(c & 0xFF));
    return QColor(q.red(), q.green(), q.blue());
  }
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

TColor ColorToWin(const QColor& c) { return RGBColor(c.red(), c.green(), c.blue()); }
