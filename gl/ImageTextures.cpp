#include "ImageTextures.h"

#include <GL/gl.h>

#include <memory>

#include "GLView.h"
#include "Textures.h"

unsigned ImageTexture(GLView& view, const TextureBitmap& image) {
  if (!view.HasTextures) return 0;
  if (!view.Images || view.Images->generation != TextureCacheGeneration()) {
    // The images the names were made from are gone; their addresses may
    // already belong to new ones.
    ClearImageTextures(view);
    view.Images = std::make_shared<ImageTextureSet>();
    view.Images->generation = TextureCacheGeneration();
  }
  unsigned& name = view.Images->names[&image];
  if (name == 0) {
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    glGenTextures(1, &name);
    UploadTextureTo(name, image);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  }
  return name;
}

void ClearImageTextures(GLView& view) {
  if (!view.Images) return;
  for (const auto& [image, name] : view.Images->names)
    if (name != 0) glDeleteTextures(1, &name);
  view.Images.reset();
}
