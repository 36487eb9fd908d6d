#include "WinColor.h"

#include <QApplication>
#include <QPalette>

#include "common/SystemColors.h"

QColor WinToQColor(TColor c) {
  if (IsSystemColor(c)) {
    const auto role = static_cast<QPalette::ColorRole>(RoleOfSystemColor(c & 0xFF));
    const QColor q = QApplication::palette().color(QPalette::Active, role);
    return QColor(q.red(), q.green(), q.blue());
  }
  return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}

TColor ColorToWin(const QColor& c) { return RGBColor(c.red(), c.green(), c.blue()); }
