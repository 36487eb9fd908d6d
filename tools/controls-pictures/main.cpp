// Draws the pictures of the control library (spin arrows, key caps and the
// element palette icons) and writes them as PNG files into the folder given
// on the command line. The results are kept in controls/pictures/.
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdio>

namespace {
// The palette icons are drawn on the classic grey so the selectors can swap
// it for their face colour.
const QColor kGrey(240, 240, 240);

QImage Blank(int w, int h, const QColor& background) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(background);
  return image;
}

// Transparent around the arrow, so it sits on any spin-button face.
QImage Arrow(bool up) {
  QImage image(7, 4, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  for (int row = 0; row < 4; ++row) {
    const int y = up ? row : 3 - row;
    p.setPen(Qt::black);
    p.drawLine(3 - row, y, 3 + row, y);
  }
  return image;
}

QImage KeyCap() {
  QImage image = Blank(34, 30, QColor(255, 255, 255));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(150, 150, 150), 1));
  p.setBrush(QColor(214, 214, 214));
  p.drawRoundedRect(QRectF(0.5, 0.5, 33, 29), 5, 5);
  QLinearGradient top(0, 2, 0, 24);
  top.setColorAt(0, QColor(252, 252, 252));
  top.setColorAt(1, QColor(232, 232, 232));
  p.setPen(QPen(QColor(190, 190, 190), 1));
  p.setBrush(top);
  p.drawRoundedRect(QRectF(3.5, 2.5, 27, 22), 4, 4);
  return image;
}

QImage CursorIcon() {
  QImage image = Blank(16, 16, kGrey);
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

QImage CubeIcon() {
  QImage image = Blank(16, 16, kGrey);
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

QImage CylinderIcon() {
  QImage image = Blank(16, 16, kGrey);
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

QImage SphereIcon() {
  QImage image = Blank(16, 16, kGrey);
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

bool Save(const QImage& image, const QString& folder, const char* name) {
  const QString path = folder + "/" + QString::fromLatin1(name) + ".png";
  if (image.save(path)) return true;
  std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
  return false;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const QString folder = QString::fromLocal8Bit(argv[1]);
  bool ok = Save(Arrow(true), folder, "UG") && Save(Arrow(false), folder, "DG") &&
            Save(KeyCap(), folder, "keycap") && Save(CursorIcon(), folder, "cursor") &&
            Save(CubeIcon(), folder, "cube") && Save(CylinderIcon(), folder, "cylinder") &&
            Save(SphereIcon(), folder, "sphere");
  return ok ? 0 : 1;
}
