#include "GLFixture.h"

#include <GL/gl.h>

#include <filesystem>

std::vector<unsigned char> GLFixture::Pixel(int x, int y) const {
  std::vector<unsigned char> rgb(3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, surface->Height() - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  return rgb;
}

std::string MakeTempFolder(const std::string& name) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::temp_directory_path() / ("obj3d_gl_tests_" + std::to_string(getpid())) / name;
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder.string();
}
