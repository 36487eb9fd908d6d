#include "PictureTools.h"

#include <QGuiApplication>
#include <QString>

#include "ControlPictures.h"
#include "ControlText.h"

QImage DisabledPicture(const QImage& picture, QRgb face) {
  QImage grey = picture.convertToFormat(QImage::Format_RGB32);
  grey.setDevicePixelRatio(picture.devicePixelRatio());
  const QRgb faceRgb = face & 0xFFFFFF;
  for (int y = 0; y < grey.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
    for (int x = 0; x < grey.width(); ++x) {
      const QRgb p = line[x];
      if ((p & 0xFFFFFF) == faceRgb) continue;
      const int v = ((qRed(p) + qGreen(p) + qBlue(p)) / 3) / 2 + 96;
      line[x] = qRgb(v, v, v);
    }
  }
  return grey;
}

void ReplaceGreysWithFace(QImage& picture, QRgb face) {
  if (picture.isNull() || picture.width() == 0 || picture.height() == 0) return;
  const qreal ratio = picture.devicePixelRatio();
  picture = picture.convertToFormat(QImage::Format_RGB888);
  picture.setDevicePixelRatio(ratio);
  const QRgb greys[] = {qRgb(212, 208, 200), qRgb(192, 192, 192), qRgb(240, 240, 240)};
  const QColor faceColor(face);
  for (QRgb grey : greys) {
    if ((grey & 0xFFFFFF) == (face & 0xFFFFFF)) continue;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if ((picture.pixel(x, y) & 0xFFFFFF) == (grey & 0xFFFFFF)) picture.setPixelColor(x, y, faceColor);
  }
}

// At the highest ratio of the screens: crisp wherever the control is shown.
QImage ControlPicture(const char* name) {
  return DrawControlPicture(FromLatin1(name), qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
}
