#include "FocusMark.h"

#include <QPainter>
#include <QPen>

void DrawFocusMark(QPainter& painter, const QRect& r, const QPalette& palette) {
  painter.save();
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(palette.color(QPalette::Highlight), 2, Qt::SolidLine));
  painter.drawRect(r.adjusted(1, 1, -1, -1));
  painter.restore();
}
