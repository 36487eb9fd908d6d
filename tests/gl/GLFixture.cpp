#include "GLFixture.h"

#include <GL/gl.h>

#include <filesystem>

#include "export/ObjCanvas.h"
#include "gl/DrawWrappers.h"

std::vector<unsigned char> GLFixture::Pixel(int x, int y) const {
  std::vector<unsigned char> rgb(3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, surface->Height() - 1 - y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  return rgb;
}

std::vector<unsigned char> GLFixture::Frame() const {
  std::vector<unsigned char> rgb(static_cast<size_t>(surface->Width()) * surface->Height() * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, surface->Width(), surface->Height(), GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
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

std::string RecordedText(const std::function<void()>& draw) {
  ObjCanvas canvas;
  canvas.BeginExport("unused.mtl");
  {
    const DrawInto into(canvas);
    draw();
  }
  return std::string(canvas.ObjText().Text()) + canvas.MtlText();
}
