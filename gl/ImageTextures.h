#pragma once
#include <cstdint>
#include <unordered_map>

struct GLView;
struct TextureBitmap;

// The texture objects of a context holding the cached texture images: each
// image is uploaded the first time a frame binds it and bound by name after
// that, so no frame carries pixel uploads.
struct ImageTextureSet {
  std::unordered_map<const TextureBitmap*, unsigned> names;
  uint64_t generation = 0;  // of the image cache the names were made from
};

// The texture object of `image` (an image of the texture cache, not empty),
// uploaded now when it has none yet. Needs the view's context current and
// no display list being compiled; 0 when the view has no texture names.
unsigned ImageTexture(GLView& view, const TextureBitmap& image);
// Deletes the texture objects (the view's context must be current).
void ClearImageTextures(GLView& view);
