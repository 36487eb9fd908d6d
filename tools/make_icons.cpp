// Draws the program's icon, an isometric cube, as the hicolor theme wants
// it: an SVG and PNG pictures of 16 to 256 pixels, all from the one outline
// below. Run by hand: make-icons <folder>; the output is committed under
// packaging/icons/.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <cstdio>

namespace {
// Drawn on a 256-unit square.
struct Face {
  QPolygonF outline;
  const char* colour;
};

const Face kFaces[] = {
    {QPolygonF({{128, 24}, {220, 76}, {128, 128}, {36, 76}}), "#9cc8ff"},     // top
    {QPolygonF({{36, 76}, {128, 128}, {128, 232}, {36, 180}}), "#3f80da"},    // left
    {QPolygonF({{220, 76}, {220, 180}, {128, 232}, {128, 128}}), "#25589f"},  // right
};
const char kEdge[] = "#16345e";
constexpr double kEdgeWidth = 8;

QString Svg() {
  QString text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n";
  for (const Face& f : kFaces) {
    QString points;
    for (const QPointF& p : f.outline) points += QString("%1,%2 ").arg(p.x()).arg(p.y());
    text +=
        QString("  <polygon points=\"%1\" fill=\"%2\" stroke=\"%3\" stroke-width=\"%4\" stroke-linejoin=\"round\"/>\n")
            .arg(points.trimmed(), f.colour, kEdge)
            .arg(kEdgeWidth);
  }
  return text + "</svg>\n";
}

QImage Png(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 256.0, size / 256.0);
  // Small pictures keep a visible edge.
  QPen edge{QColor(kEdge), std::max(kEdgeWidth, 256.0 / size * 1.2)};
  edge.setJoinStyle(Qt::RoundJoin);
  painter.setPen(edge);
  for (const Face& f : kFaces) {
    painter.setBrush(QColor(f.colour));
    painter.drawPolygon(f.outline);
  }
  painter.end();
  return image;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-icons <folder>\n");
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]) + "/hicolor/";
  const QString name = "org.objetos3d.Objetos3D";
  QDir().mkpath(root + "scalable/apps");
  QFile svg(root + "scalable/apps/" + name + ".svg");
  if (!svg.open(QIODevice::WriteOnly) || svg.write(Svg().toUtf8()) < 0) return 1;
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString folder = root + QString("%1x%1/apps/").arg(size);
    QDir().mkpath(folder);
    if (!Png(size).save(folder + name + ".png")) return 1;
  }
  return 0;
}
