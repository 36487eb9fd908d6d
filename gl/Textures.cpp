#include "Textures.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#include "GLView.h"
#include "LabelBitmap.h"
#include "common/DataPath.h"
#include "common/FolderIndex.h"
#include "common/PathParts.h"
#include "common/Utf8Text.h"
#include "image/ImageFiles.h"

namespace {
struct CachedImage {
  std::string path;  // as it was read, so later look-ups need no file system
  std::unique_ptr<TextureBitmap> bitmap;
};

// Process-wide, keyed by the lower-cased file name; New and Open empty it.
// Hashed: a document may name any number of distinct textures, and every
// element looks its name up in every frame.
std::unordered_map<std::string, CachedImage>& Cache() {
  static std::unordered_map<std::string, CachedImage> cache;
  return cache;
}

// The texture folder's names, for files the cache has not met yet.
std::unique_ptr<FolderIndex>& TextureFolderIndex() {
  static std::unique_ptr<FolderIndex> index;
  return index;
}

uint64_t& Generation() {
  static uint64_t generation = 1;
  return generation;
}

bool IsPowerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

int NearestPowerOfTwo(int v) {
  int p = 1;
  while (p * 2 <= v) p *= 2;
  return (p * 2 - v < v - p) ? p * 2 : p;
}

// OpenGL before 2.0 takes only power-of-two sizes unless it says otherwise.
bool NeedsPowerOfTwo() {
  static int answer = -1;
  if (answer < 0) {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const bool modern = version && version[0] >= '2' && version[0] <= '9';
    const bool extension = extensions && std::strstr(extensions, "GL_ARB_texture_non_power_of_two");
    answer = (modern || extension) ? 0 : 1;
    if (!version) answer = -1;  // no context yet: ask again next time
  }
  return answer == 1;
}
}  // namespace

void CreateTextures(GLView& view, int count) {
  if (view.HasTextures || count < 0) return;
  view.Textures.assign(count, 0);
  if (count > 0) glGenTextures(count, view.Textures.data());
  view.HasTextures = true;
}

void BindTexture(GLView& view, int slot) {
  if (!view.HasTextures || slot < 0 || slot >= static_cast<int>(view.Textures.size())) return;
  glBindTexture(GL_TEXTURE_2D, view.Textures[slot]);
}

void UploadTexture(GLView& view, int slot, const TextureBitmap& bitmap) {
  if (!view.HasTextures || slot < 0 || slot >= static_cast<int>(view.Textures.size())) return;
  UploadTextureTo(view.Textures[slot], bitmap);
}

void UploadTextureTo(unsigned name, const TextureBitmap& bitmap) {
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  if (bitmap.empty()) return;
  // Rows are padded to 4 bytes; the toolkit may have left another alignment.
  GLint alignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  if (NeedsPowerOfTwo() && !(IsPowerOfTwo(bitmap.width) && IsPowerOfTwo(bitmap.height))) {
    const int w = NearestPowerOfTwo(bitmap.width), h = NearestPowerOfTwo(bitmap.height);
    std::vector<uint8_t> scaled(static_cast<size_t>((w * 3 + 3) & ~3) * h);
    gluScaleImage(GL_BGR_EXT, bitmap.width, bitmap.height, GL_UNSIGNED_BYTE, bitmap.pixels.data(), w, h,
                  GL_UNSIGNED_BYTE, scaled.data());
    glTexImage2D(GL_TEXTURE_2D, 0, 3, w, h, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE, scaled.data());
  } else {
    glTexImage2D(GL_TEXTURE_2D, 0, 3, bitmap.width, bitmap.height, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE,
                 bitmap.pixels.data());
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
}

const TextureBitmap* TextureImage(const std::string& path) {
  if (path.empty()) return nullptr;
  std::string key = Utf8Lower(FileNameOf(path));
  if (const auto found = Cache().find(key); found != Cache().end()) return found->second.bitmap.get();
  auto bitmap = std::make_unique<TextureBitmap>();
  LoadImageFile(*bitmap, path);
  return Cache().emplace(std::move(key), CachedImage{path, std::move(bitmap)}).first->second.bitmap.get();
}

const std::string* CachedTexturePath(const std::string& fileName) {
  const auto found = Cache().find(Utf8Lower(Latin1ToUtf8(fileName)));
  return found == Cache().end() ? nullptr : &found->second.path;
}

std::string TextureFilePath(const std::string& utf8Name) {
  const std::string folder = DataPath("Vist3D/TEX/");
  auto& index = TextureFolderIndex();
  if (!index || index->Folder() != folder) index = std::make_unique<FolderIndex>(folder);
  return folder + index->Match(utf8Name);
}

void ClearTextureCache() {
  TextureFolderIndex().reset();
  ClearLabelCache();  // labels may have been painted over these images
  std::unordered_map<std::string, CachedImage>().swap(Cache());
  ++Generation();
}

uint64_t TextureCacheGeneration() { return Generation(); }

int TextureCacheCount() { return static_cast<int>(Cache().size()); }
