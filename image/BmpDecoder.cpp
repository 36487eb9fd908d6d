#include "BmpDecoder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include "ImageBytes.h"
#include "ImageFiles.h"

namespace {
int64_t Signed(const uint8_t* p, int bytes) {
  uint64_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
  const uint64_t sign = uint64_t{1} << (bytes * 8 - 1);
  return static_cast<int64_t>(v ^ sign) - static_cast<int64_t>(sign);
}

uint64_t Magnitude(int64_t v) { return v < 0 ? static_cast<uint64_t>(-v) : static_cast<uint64_t>(v); }
}  // namespace

bool BmpDeclaredSize(const uint8_t* data, size_t size, uint64_t& width, uint64_t& height) {
  // File header (14 bytes), then the info header: its own length, then the
  // size as two 16-bit fields in the old 12-byte form, 32-bit ones otherwise.
  if (!data || size < 18 || data[0] != 'B' || data[1] != 'M') return false;
  const int64_t infoLength = Signed(data + 14, 4);
  if (infoLength == 12) {
    if (size < 22) return false;
    width = Magnitude(Signed(data + 18, 2));
    height = Magnitude(Signed(data + 20, 2));
    return true;
  }
  if (size < 26) return false;
  width = Magnitude(Signed(data + 18, 4));
  height = Magnitude(Signed(data + 22, 4));
  return true;
}

bool DecodeBmp(const uint8_t* data, size_t size, TextureBitmap& out) {
  out = TextureBitmap{};
  uint64_t width = 0, height = 0;
  if (size > kMaxImageFileBytes || !BmpDeclaredSize(data, size, width, height)) return false;
  if (!TextureSizeAllowed(width, height)) return false;
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::ReadOnly)) return false;
  QImageReader reader(&buffer, "BMP");
  QImage image;
  if (!reader.read(&image)) return false;
  // The reader may have understood the header differently; the limit holds
  // for what it produced as well.
  if (!TextureSizeAllowed(image.width(), image.height())) return false;
  out = BitmapFromImage(image);
  return !out.empty();
}
