#include "FrameReadBack.h"

#include <GL/gl.h>

#include <algorithm>

std::vector<uint8_t> ReadFrameTopDown(int width, int height) {
  const size_t row = static_cast<size_t>(width) * 3;
  std::vector<uint8_t> bottomUp(row * static_cast<size_t>(height));
  GLint alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  std::vector<uint8_t> topDown(bottomUp.size());
  for (int y = 0; y < height; ++y)
    std::copy_n(bottomUp.data() + static_cast<size_t>(height - 1 - y) * row, row,
                topDown.data() + static_cast<size_t>(y) * row);
  return topDown;
}
