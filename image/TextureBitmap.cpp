#include "TextureBitmap.h"

bool TextureSizeAllowed(uint64_t w, uint64_t h) {
  // Each side alone is checked first so that the product cannot overflow.
  return w >= 1 && h >= 1 && w <= kMaxTexturePixels && h <= kMaxTexturePixels && w * h <= kMaxTexturePixels;
}

void TextureBitmap::resize(int w, int h) {
  width = w < 0 ? 0 : w;
  height = h < 0 ? 0 : h;
  if ((width != 0 || height != 0) && !TextureSizeAllowed(width, height)) width = height = 0;
  pixels.assign(static_cast<size_t>(rowBytes()) * static_cast<size_t>(height), 0);
}
