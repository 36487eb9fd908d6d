#include "ImageFiles.h"

#include <QImage>
#include <filesystem>
#include <vector>

#include "BmpDecoder.h"
#include "ImageBytes.h"
#include "JpegCodec.h"
#include "common/Latin1.h"

TextureBitmap BitmapFromImage(const QImage& image) {
  TextureBitmap bitmap;
  if (image.isNull()) return bitmap;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  bitmap.resize(rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y) {
    const uchar* from = rgb.constScanLine(y);
    uint8_t* to = bitmap.at(0, y);
    for (int x = 0; x < rgb.width(); ++x) {
      to[x * 3 + 0] = from[x * 3 + 2];
      to[x * 3 + 1] = from[x * 3 + 1];
      to[x * 3 + 2] = from[x * 3 + 0];
    }
  }
  return bitmap;
}

QImage ImageFromBitmap(const TextureBitmap& bitmap) {
  if (bitmap.empty()) return QImage();
  QImage image(bitmap.width, bitmap.height, QImage::Format_RGB888);
  for (int y = 0; y < bitmap.height; ++y) {
    const uint8_t* from = bitmap.at(0, y);
    uchar* to = image.scanLine(y);
    for (int x = 0; x < bitmap.width; ++x) {
      to[x * 3 + 0] = from[x * 3 + 2];
      to[x * 3 + 1] = from[x * 3 + 1];
      to[x * 3 + 2] = from[x * 3 + 0];
    }
  }
  return image;
}

void LoadImageFile(TextureBitmap& bitmap, const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return;
  const std::string extension = AsciiLower(std::filesystem::path(path).extension().string());
  std::vector<uint8_t> bytes;
  const bool read = ReadImageBytes(path, bytes);
  const bool decoded = read && (extension == ".bmp" ? DecodeBmp(bytes.data(), bytes.size(), bitmap)
                                                    : DecodeJpeg(bytes.data(), bytes.size(), bitmap));
  if (!decoded) bitmap = TextureBitmap{};
}
