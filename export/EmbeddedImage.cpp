#include "EmbeddedImage.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <fstream>

#include "common/SafeFiles.h"

namespace {
constexpr std::streamoff kMaxImageBytes = 64 << 20;

bool StartsWith(const std::string& bytes, std::string_view magic) { return bytes.compare(0, magic.size(), magic) == 0; }
}  // namespace

EmbeddedImage LoadEmbeddedImage(const std::string& path) {
  EmbeddedImage image;
  // A pipe or a device in the texture folder would block or never end.
  if (!ReadSourceProblem(path).empty()) return image;
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return image;
  const std::streamoff size = in.tellg();
  if (size <= 0 || size > kMaxImageBytes) return image;
  std::string bytes(static_cast<size_t>(size), '\0');
  in.seekg(0);
  if (!in.read(bytes.data(), size)) return image;
  if (StartsWith(bytes, "\xFF\xD8\xFF")) {
    image.bytes = std::move(bytes);
    image.mimeType = "image/jpeg";
    return image;
  }
  if (StartsWith(bytes, "\x89PNG\r\n\x1A\n")) {
    image.bytes = std::move(bytes);
    image.mimeType = "image/png";
    return image;
  }
  const QImage decoded = QImage::fromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()));
  if (decoded.isNull()) return image;
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!decoded.save(&buffer, "PNG")) return image;
  image.bytes.assign(png.constData(), static_cast<size_t>(png.size()));
  image.mimeType = "image/png";
  return image;
}
