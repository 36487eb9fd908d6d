#include "Frame3D.h"

#include <QPainter>

void DrawFrame3D(QPainter& painter, int w, int h, TColor topLeft, TColor bottomRight) {
  const int r = w - 1, b = h - 1;
  painter.setPen(WinToQColor(topLeft));
  painter.drawLine(0, b, 0, 0);
  painter.drawLine(0, 0, r, 0);
  painter.setPen(WinToQColor(bottomRight));
  painter.drawLine(r, 0, r, b);
  painter.drawLine(r, b, 0, b);
}
