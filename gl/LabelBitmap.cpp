#include "LabelBitmap.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <unordered_map>

#include "ColorValue.h"
#include "ScaleRulerText.h"
#include "Textures.h"
#include "image/ImageFiles.h"

namespace {
constexpr int kSize = 256;

QImage& Picture() {
  static QImage picture(kSize, kSize, QImage::Format_RGB888);
  static bool made = false;
  if (!made) {
    picture.fill(Qt::black);
    made = true;
  }
  return picture;
}

QColor ToQColor(uint32_t c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

int PushFromMiddle(int v) {
  if (v < 128) return v - 17 < 0 ? 0 : v - 17;
  if (v > 128) return v + 17 > 255 ? 255 : v + 17;
  return v;
}

QString ScaleValueText(double v) {
  const double shown = std::trunc(v * 10) * 0.1;
  char buf[40];
  const auto end = std::to_chars(buf, buf + sizeof buf, shown, std::chars_format::general, 15).ptr;
  QString text = QString::fromLatin1(buf, static_cast<int>(end - buf));
  text.replace(QLatin1Char('.'), QLocale().decimalPoint());
  return text;
}

void DrawScaleRuler(QPainter& painter, const std::string& name) {
  const ScaleRuler ruler = ParseScaleRuler(name);
  const double maximum = ruler.maximum, minimum = ruler.minimum;
  const int n = ruler.majorTicks, m = ruler.subSteps;
  const int x0 = kSize / 12, top = kSize / 37, bottom = kSize - kSize / 37;
  const int length = static_cast<int>(std::lround(kSize * 37 * 0.01));
  const QFontMetrics metrics(painter.font());
  const int gap = metrics.horizontalAdvance(QStringLiteral("    "));
  painter.setBrush(Qt::NoBrush);
  const double ySlope = n == 1 ? 0 : static_cast<double>(bottom - top) / (n - 1);
  const double vSlope = n == 1 ? 0 : (minimum - maximum) / (n - 1);
  const double yStart = n == 1 ? 0 : top, vStart = n == 1 ? 0 : maximum;
  for (int i = 1; i <= n; ++i) {
    const double y = yStart + (i - 1) * ySlope;
    const int yPixel = static_cast<int>(std::lround(y));
    painter.drawLine(x0, yPixel, x0 + length, yPixel);
    const QString label = ScaleValueText(vStart + (i - 1) * vSlope);
    const int h = metrics.height();
    double labelY = y - h / 2.0;
    if (labelY < top) labelY = top - h / 4.0;
    if (y + h > bottom) labelY = y - 0.75 * h;
    painter.drawText(QPointF(x0 + 0.6 * length + gap, labelY + metrics.ascent()), label);
    if (i < n && m > 1) {
      const double yNext = yStart + i * ySlope;
      for (int j = 2; j <= m; ++j) {
        const int ys = static_cast<int>(std::lround(y + (j - 1) * (yNext - y) / (m - 1)));
        const double reach = j == (m + 1) / 2 ? 0.6 : 0.4;
        painter.drawLine(x0, ys, x0 + static_cast<int>(reach * length), ys);
      }
    }
  }
}
}  // namespace

uint32_t LabelTextColor(uint32_t color) {
  const uint32_t c = ResolveColor(color);
  const int r = PushFromMiddle(255 - RedOf(c)), g = PushFromMiddle(255 - GreenOf(c)),
            b = PushFromMiddle(255 - BlueOf(c));
  return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b) << 16;
}

namespace {
void PaintLabel(QImage& picture, const std::string& text, uint32_t color, const TextureBitmap* texture, double dx,
                double dy) {
  QPainter painter(&picture);
  const QColor brush = ToQColor(ResolveColor(color));
  if (texture) {
    if (!texture->empty()) painter.drawImage(QRect(0, 0, kSize, kSize), ImageFromBitmap(*texture));
  } else {
    // The last column and row keep what the previous label left there.
    painter.fillRect(QRect(0, 0, kSize - 1, kSize - 1), brush);
  }
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  const bool ruler = text.rfind("@escala|", 0) == 0;
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(ruler ? kSize / 30 : kSize - kSize / 7);
  const double q = dx / dy;
  if (q != 1) {
    const QFontMetrics metrics(font);
    const double h = metrics.height(), w = metrics.averageCharWidth();
    if (h > 0 && w > 0 && q != 0 && std::isfinite(q)) {
      const double width = std::fabs(std::round(font.pixelSize() / (q * h / w)));
      // Clamped as a double: the ratio of two document sizes may be
      // anything, and only an in-range value may become an int.
      const double stretch = std::clamp(std::round(100.0 * width / w), 1.0, 4000.0);
      font.setStretch(static_cast<int>(stretch));
    }
  }
  painter.setFont(font);
  const QColor ink = ToQColor(LabelTextColor(color));
  painter.setPen(ink);
  if (ruler) {
    DrawScaleRuler(painter, text);
  } else {
    const QString line = QString::fromLatin1(text.c_str()) + QLatin1Char(' ');
    const QFontMetrics metrics(font);
    const int x = kSize - metrics.horizontalAdvance(line);
    const int y = kSize / 2 - (kSize - kSize / 7) / 2;
    if (!texture) {
      painter.setBackgroundMode(Qt::OpaqueMode);
      painter.setBackground(brush);
    }
    painter.drawText(x, y + metrics.ascent(), line);
  }
}

// A painted picture, kept for the next label that would paint the same.
struct PaintedLabel {
  QImage picture;  // shared with Picture() until that is painted again
  TextureBitmap bitmap;
  uint64_t id = 0;
};

// Ids of kept pictures count up from 1 and are never reused; 0 is a picture
// not kept.
struct PictureIds {
  uint64_t made = 0, last = 0;
};
PictureIds& Ids() {
  static PictureIds ids;
  return ids;
}

// Enough for the distinct labels of a large document; it does not grow
// past this (each picture holds two copies of 192 KB).
constexpr size_t kMaxPaintedLabels = 160;

std::unordered_map<std::string, PaintedLabel>& PaintedLabels() {
  static std::unordered_map<std::string, PaintedLabel> cache;
  return cache;
}

template <typename T>
void AppendBytes(std::string& key, const T& value) {
  key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Everything the picture is made from. A picture over the element's colour
// leaves the last row and column as the previous label left them, so those
// pixels are part of what it is made from; a texture covers them.
std::string PictureKey(const QImage& picture, const std::string& text, uint32_t color, const std::string& texturePath,
                       const TextureBitmap* texture, double dx, double dy) {
  std::string key = text;
  key += '\0';
  key += texturePath;
  key += '\0';
  AppendBytes(key, color);
  AppendBytes(key, dx / dy);
  AppendBytes(key, texture);
  AppendBytes(key, qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr);
  AppendBytes(key, QLocale().decimalPoint().unicode());
  if (!texture) {
    const uchar* lastRow = picture.constScanLine(kSize - 1);
    key.append(reinterpret_cast<const char*>(lastRow), kSize * 3);
    for (int y = 0; y < kSize - 1; ++y)
      key.append(reinterpret_cast<const char*>(picture.constScanLine(y)) + (kSize - 1) * 3, 3);
  }
  return key;
}
}  // namespace

const TextureBitmap* DrawLabelBitmap(const std::string& text, uint32_t color, const std::string& texturePath, double dx,
                                     double dy) {
  Ids().last = 0;
  if (dy == 0) return nullptr;
  QImage& picture = Picture();
  const TextureBitmap* texture = texturePath.empty() ? nullptr : TextureImage(texturePath);
  if (texture && texture->empty()) {
    // An unreadable texture paints nothing under the letters: the picture
    // depends on all of the previous one, so it is not kept.
    static TextureBitmap uncached;
    PaintLabel(picture, text, color, texture, dx, dy);
    uncached = BitmapFromImage(picture);
    return &uncached;
  }
  auto& cache = PaintedLabels();
  std::string key = PictureKey(picture, text, color, texturePath, texture, dx, dy);
  if (const auto found = cache.find(key); found != cache.end()) {
    picture = found->second.picture;
    Ids().last = found->second.id;
    return &found->second.bitmap;
  }
  PaintLabel(picture, text, color, texture, dx, dy);
  if (cache.size() >= kMaxPaintedLabels) {
    // Full: the pictures kept stay. A frame meets its labels in the same
    // order every time, so starting the cache again would keep none of
    // them; this way only the labels past the first ones are painted again.
    static TextureBitmap unkept;
    unkept = BitmapFromImage(picture);
    return &unkept;
  }
  PaintedLabel& entry = cache[std::move(key)];
  entry.picture = picture;
  entry.bitmap = BitmapFromImage(picture);
  entry.id = Ids().last = ++Ids().made;
  return &entry.bitmap;
}

void ClearLabelCache() { PaintedLabels().clear(); }

uint64_t LastLabelPictureId() { return Ids().last; }

int CachedLabelCount() { return static_cast<int>(PaintedLabels().size()); }
