// Paints the program's texture images (all procedural) into a folder:
//   make_textures OUTDIR
// The results are committed under data/Vist3D/TEX/.
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {
// A repeatable value noise, so every run paints the same pictures.
double Hash(int x, int y) {
  unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

double Noise(double x, double y) {
  const int xi = static_cast<int>(std::floor(x)), yi = static_cast<int>(std::floor(y));
  const double fx = x - xi, fy = y - yi;
  const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
  const double a = Hash(xi, yi), b = Hash(xi + 1, yi), c = Hash(xi, yi + 1), d = Hash(xi + 1, yi + 1);
  return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

QColor Mix(QColor a, QColor b, double t) {
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                          a.blueF() + (b.blueF() - a.blueF()) * t);
}

QImage Wood(int w, int h) {
  QImage img(w, h, QImage::Format_RGB888);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double r = std::hypot(x - w * 0.3, (y - h * 1.4) * 0.35) * 0.25 + Noise(x * 0.08, y * 0.02) * 3;
      const double ring = 0.5 + 0.5 * std::sin(r);
      img.setPixelColor(x, y, Mix(QColor(150, 95, 50), QColor(205, 150, 95), ring));
    }
  return img;
}

QImage Bricks(int w, int h) {
  QImage img(w, h, QImage::Format_RGB888);
  img.fill(QColor(190, 185, 175));  // mortar
  QPainter p(&img);
  const int rows = 4, cols = 3, bh = h / rows, bw = w / cols;
  for (int r = 0; r < rows; ++r)
    for (int c = -1; c <= cols; ++c) {
      const int x = c * bw + (r % 2) * bw / 2;
      const QColor brick = Mix(QColor(150, 55, 40), QColor(185, 80, 55), Hash(r, c));
      p.fillRect(x + 2, r * bh + 2, bw - 4, bh - 4, brick);
    }
  return img;
}

QImage Marble(int w, int h) {
  QImage img(w, h, QImage::Format_RGB888);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double t = 0.5 + 0.5 * std::sin((x + y) * 0.15 + 4 * Noise(x * 0.1, y * 0.1));
      img.setPixelColor(x, y, Mix(QColor(120, 128, 135), QColor(235, 235, 230), std::pow(t, 0.4)));
    }
  return img;
}

QImage Tiles(int w, int h) {
  QImage img(w, h, QImage::Format_RGB888);
  QPainter p(&img);
  const int n = 8, s = w / n;
  for (int r = 0; r < n; ++r)
    for (int c = 0; c < n; ++c) {
      const QColor tile = (r + c) % 2 ? QColor(40, 90, 140) : QColor(225, 225, 210);
      p.fillRect(c * s, r * s, s, s, QColor(90, 90, 90));
      p.fillRect(c * s + 2, r * s + 2, s - 4, s - 4, tile);
    }
  (void)h;
  return img;
}

QImage Granite(int w, int h) {
  QImage img(w, h, QImage::Format_RGB888);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double t = 0.6 * Noise(x * 0.5, y * 0.5) + 0.4 * Noise(x * 0.13, y * 0.13);
      QColor c = Mix(QColor(60, 60, 65), QColor(200, 190, 185), t);
      if (Hash(x * 7, y * 3) > 0.97) c = QColor(25, 25, 25);
      img.setPixelColor(x, y, c);
    }
  return img;
}

bool Save(const QImage& img, const QString& path, const char* format) {
  if (img.save(path, format, 90)) return true;
  std::fprintf(stderr, "make_textures: cannot write %s\n", qPrintable(path));
  return false;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_textures OUTDIR\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication app(argc, argv);
  const QString dir = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
  bool ok = Save(Wood(128, 128), dir + "texture1.jpeg", "JPEG");
  ok &= Save(Bricks(100, 60), dir + "texture2.jpg", "JPEG");  // not a power of two
  ok &= Save(Marble(64, 64), dir + "texture3.bmp", "BMP");    // the default of new elements
  ok &= Save(Tiles(128, 128), dir + "texture4.bmp", "BMP");
  ok &= Save(Granite(96, 96), dir + "texture5.jpeg", "JPEG");  // not a power of two
  return ok ? 0 : 1;
}
