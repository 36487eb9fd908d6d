// The control library's pictures, drawn from their outlines at the device
// pixel ratio they are shown at.
#include "ControlPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <algorithm>

namespace {
// The palette icons are drawn on the classic grey so the selectors can swap
// it for their face colour.
const QColor kGrey(240, 240, 240);

QImage Blank(int w, int h, qreal ratio, const QColor& background) {
  QImage image(qCeil(w * ratio), qCeil(h * ratio), QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(background);
  return image;
}

// Transparent around the arrow, so it sits on any spin-button face.
QImage Arrow(bool up, qreal ratio) {
  QImage image(qCeil(7 * ratio), qCeil(4 * ratio), QImage::Format_ARGB32);
  image.setDevicePixelRatio(ratio);
  image.fill(Qt::transparent);
  QPainter p(&image);
  for (int row = 0; row < 4; ++row) p.fillRect(QRectF(3 - row, up ? row : 3 - row, 2 * row + 1, 1), Qt::black);
  return image;
}

QImage KeyCap(int width, qreal ratio) {
  QImage image = Blank(width, 30, ratio, QColor(255, 255, 255));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(150, 150, 150), 1));
  p.setBrush(QColor(214, 214, 214));
  p.drawRoundedRect(QRectF(0.5, 0.5, width - 1, 29), 5, 5);
  QLinearGradient top(0, 2, 0, 24);
  top.setColorAt(0, QColor(252, 252, 252));
  top.setColorAt(1, QColor(232, 232, 232));
  p.setPen(QPen(QColor(190, 190, 190), 1));
  p.setBrush(top);
  p.drawRoundedRect(QRectF(3.5, 2.5, width - 7, 22), 4, 4);
  return image;
}

QImage CursorIcon(qreal ratio) {
  QImage image = Blank(16, 16, ratio, kGrey);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QPainterPath arrow;
  arrow.moveTo(4, 1);
  arrow.lineTo(4, 13);
  arrow.lineTo(7, 10);
  arrow.lineTo(9.5, 15);
  arrow.lineTo(11, 14.2);
  arrow.lineTo(8.6, 9.4);
  arrow.lineTo(12.5, 9.4);
  arrow.closeSubpath();
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(Qt::white);
  p.drawPath(arrow);
  return image;
}

QImage CubeIcon(qreal ratio) {
  QImage image = Blank(16, 16, ratio, kGrey);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(40, 60, 110), 1));
  const QPointF front[] = {{2, 5}, {10, 5}, {10, 14}, {2, 14}};
  const QPointF topFace[] = {{2, 5}, {6, 1.5}, {14, 1.5}, {10, 5}};
  const QPointF side[] = {{10, 5}, {14, 1.5}, {14, 10.5}, {10, 14}};
  p.setBrush(QColor(110, 150, 220));
  p.drawPolygon(front, 4);
  p.setBrush(QColor(170, 200, 245));
  p.drawPolygon(topFace, 4);
  p.setBrush(QColor(70, 105, 175));
  p.drawPolygon(side, 4);
  return image;
}

QImage CylinderIcon(qreal ratio) {
  QImage image = Blank(16, 16, ratio, kGrey);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient body(3, 0, 13, 0);
  body.setColorAt(0, QColor(80, 160, 90));
  body.setColorAt(0.4, QColor(160, 220, 160));
  body.setColorAt(1, QColor(50, 120, 60));
  p.setPen(QPen(QColor(30, 80, 40), 1));
  p.setBrush(body);
  QPainterPath path;
  path.moveTo(3, 3.5);
  path.lineTo(3, 12.5);
  path.arcTo(QRectF(3, 10.5, 10, 4), 180, 180);
  path.lineTo(13, 3.5);
  path.closeSubpath();
  p.drawPath(path);
  p.setBrush(QColor(190, 235, 190));
  p.drawEllipse(QRectF(3, 1.5, 10, 4));
  return image;
}

QImage SphereIcon(qreal ratio) {
  QImage image = Blank(16, 16, ratio, kGrey);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient shade(QPointF(6, 5.5), 9);
  shade.setColorAt(0, QColor(255, 235, 220));
  shade.setColorAt(0.5, QColor(225, 120, 80));
  shade.setColorAt(1, QColor(140, 50, 30));
  p.setPen(QPen(QColor(110, 40, 25), 1));
  p.setBrush(shade);
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  return image;
}
}  // namespace

QImage DrawControlPicture(const QString& name, qreal ratio) {
  if (!(ratio > 0)) ratio = 1;
  if (name == QLatin1String("UG")) return Arrow(true, ratio);
  if (name == QLatin1String("DG")) return Arrow(false, ratio);
  if (name == QLatin1String("keycap")) return KeyCap(34, ratio);
  if (name == QLatin1String("cursor")) return CursorIcon(ratio);
  if (name == QLatin1String("cube")) return CubeIcon(ratio);
  if (name == QLatin1String("cylinder")) return CylinderIcon(ratio);
  if (name == QLatin1String("sphere")) return SphereIcon(ratio);
  return {};
}

QImage KeyCapPicture(int width, qreal ratio) { return KeyCap(std::max(width, 14), ratio > 0 ? ratio : 1); }
