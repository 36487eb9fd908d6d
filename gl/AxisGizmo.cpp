#include "AxisGizmo.h"

#include <GL/glu.h>

#include <QFont>
#include <QPainter>
#include <QPolygon>
#include <cmath>

#include "GLView.h"
#include "ViewContext.h"

double ScaleVector(double& x, double& y, double& z, double length) {
  const double l = std::sqrt(x * x + y * y + z * z);
  if (l == 0) return 0;
  x = length * x / l;
  y = length * y / l;
  z = length * z / l;
  return l;
}

void DrawArrowHead(QPainter& painter, int x1, int y1, int x2, int y2) {
  if (x1 < 0 || y1 < 0 || x2 < 0 || y2 < 0) return;
  const double dx = x2 - x1, dy = y2 - y1;
  const double l = std::sqrt(dx * dx + dy * dy);
  if (l == 0) return;
  const double bx = x2 - 10 * dx / l, by = y2 - 10 * dy / l;
  const QPolygon triangle(
      {QPoint(x2, y2),
       QPoint(static_cast<int>(std::lround(bx + 2 * dy / l)), static_cast<int>(std::lround(by - 2 * dx / l))),
       QPoint(static_cast<int>(std::lround(bx - 2 * dy / l)), static_cast<int>(std::lround(by + 2 * dx / l)))});
  painter.setBrush(painter.pen().color());
  painter.drawPolygon(triangle);
}

void DrawAxisGizmo(QPainter& painter, const GLView& view, int x0, int y0) {
  const FrameMatrices f = FrameOf(view);
  const double height = f.viewport[3];
  double ox, oy, oz;
  if (gluProject(0, 0, 0, f.modelView, f.projection, f.viewport, &ox, &oy, &oz) != GL_TRUE) return;
  oy = height - oy;
  QFont font(QStringLiteral("Arial"));
  font.setPointSize(7);
  painter.setFont(font);
  struct Axis {
    double x, y, z;
    QColor color;
    const char* letter;
  };
  const Axis axes[] = {
      {-1, 0, 0, QColor(255, 0, 0), "X"}, {0, 1, 0, QColor(0, 128, 0), "Y"}, {0, 0, 1, QColor(0, 0, 255), "Z"}};
  for (const Axis& axis : axes) {
    double px, py, pz;
    if (gluProject(axis.x, axis.y, axis.z, f.modelView, f.projection, f.viewport, &px, &py, &pz) != GL_TRUE) continue;
    py = height - py;
    double dx = px - ox, dy = py - oy, dz = pz - oz;
    if (ScaleVector(dx, dy, dz, 27) == 0) continue;          // projects onto the origin
    if (!std::isfinite(dx) || !std::isfinite(dy)) continue;  // a degenerate camera
    const int ex = static_cast<int>(std::lround(x0 + dx)), ey = static_cast<int>(std::lround(y0 + dy));
    painter.setPen(axis.color);
    painter.drawLine(x0, y0, ex, ey);
    DrawArrowHead(painter, x0, y0, ex, ey);
    painter.setBrush(Qt::NoBrush);
    painter.drawText(QRect(ex, ey, 40, 40), Qt::AlignLeft | Qt::AlignTop, QString::fromLatin1(axis.letter));
  }
}
