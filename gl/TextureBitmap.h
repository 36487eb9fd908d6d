#pragma once
#include <cstdint>
#include <vector>

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
  // Sizes the pixel block for width x height (contents zero).
  void resize(int w, int h);
  // Pixel (x, y) with y counted from the top of the image.
  uint8_t* at(int x, int y) { return pixels.data() + (height - 1 - y) * rowBytes() + x * 3; }
  const uint8_t* at(int x, int y) const { return pixels.data() + (height - 1 - y) * rowBytes() + x * 3; }
};
