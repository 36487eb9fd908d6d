#pragma once
#include <cstdint>
#include <string>

#include "image/TextureBitmap.h"

struct GLView;

// Gives the view `count` texture names, once per context.
void CreateTextures(GLView& view, int count);
// Binds the name of `slot`; nothing for a slot the view does not have.
void BindTexture(GLView& view, int slot);
// Binds `slot`, sets its filters and wrapping and uploads the bitmap (an
// empty bitmap uploads nothing, so the slot keeps its last image).
void UploadTexture(GLView& view, int slot, const TextureBitmap& bitmap);
// The same into the texture `name`, which stays bound.
void UploadTextureTo(unsigned name, const TextureBitmap& bitmap);

// The cached image of a texture file, read on first use; keyed by the
// lower-cased file name. Null for an empty path; an empty bitmap for a file
// that is missing or cannot be decoded. The pointer stays valid until
// ClearTextureCache.
const TextureBitmap* TextureImage(const std::string& path);
void ClearTextureCache();
// The path a cached image was read from, by its file name as a document
// holds it (Latin-1, any case); null when the name is not cached.
const std::string* CachedTexturePath(const std::string& fileName);
int TextureCacheCount();
// The path of a texture file named in UTF-8, matched in the program's
// texture folder as data paths are (exact name, else ignoring case).
std::string TextureFilePath(const std::string& utf8Name);
// Changes whenever the cache is emptied: what was made from its images
// (texture objects, label pictures) must then be made again.
uint64_t TextureCacheGeneration();
