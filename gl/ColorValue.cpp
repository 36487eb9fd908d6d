#include "ColorValue.h"

#include <QGuiApplication>
#include <QPalette>

#include "common/SystemColors.h"

uint32_t ResolveColor(uint32_t color) {
  if ((color & 0xFF000000u) != 0x80000000u) return color & 0x00FFFFFFu;
  const PaletteRole role = RoleOfSystemColor(color & 0xFF);
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return ClassicColorOf(role);
  const QColor c = QGuiApplication::palette().color(QPalette::Active, static_cast<QPalette::ColorRole>(role));
  return static_cast<uint32_t>(c.red()) | static_cast<uint32_t>(c.green()) << 8 | static_cast<uint32_t>(c.blue()) << 16;
}
