#include "TextureBitmap.h"

#include <cstddef>

void TextureBitmap::resize(int w, int h) {
  width = w < 0 ? 0 : w;
  height = h < 0 ? 0 : h;
  pixels.assign(static_cast<std::size_t>(rowBytes()) * height, 0);
}
