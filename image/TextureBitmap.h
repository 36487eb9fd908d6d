#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The largest picture a texture may have, in pixels (64 Mi, e.g. 8192 x
// 8192; 192 MiB of pixels). Image files are untrusted: a header that claims
// more is treated like an undecodable file instead of being allocated.
inline constexpr uint64_t kMaxTexturePixels = uint64_t{64} * 1024 * 1024;

// Whether a picture of w x h may be held (both at least 1, within the limit).
bool TextureSizeAllowed(uint64_t w, uint64_t h);

// A 24-bit picture as textures are uploaded: BGR pixels, rows from the
// bottom of the image upwards, each row padded to 4 bytes (OpenGL's default
// unpack alignment). An empty bitmap (height 0) stands for a missing or
// unreadable file.
struct TextureBitmap {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;

  bool empty() const { return width <= 0 || height <= 0; }
  int rowBytes() const { return (width * 3 + 3) & ~3; }
  // Sizes the pixel block for width x height (contents zero); a size beyond
  // the limit gives an empty bitmap.
  void resize(int w, int h);
  // Pixel (x, y) with y counted from the top of the image. Offsets are
  // formed in size_t: a large picture's byte offset does not fit an int.
  uint8_t* at(int x, int y) { return pixels.data() + Offset(x, y); }
  const uint8_t* at(int x, int y) const { return pixels.data() + Offset(x, y); }

 private:
  size_t Offset(int x, int y) const {
    return static_cast<size_t>(height - 1 - y) * static_cast<size_t>(rowBytes()) + static_cast<size_t>(x) * 3;
  }
};
