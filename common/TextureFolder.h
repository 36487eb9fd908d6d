#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The texture files of a folder as the texture list shows them: the JPEG
// files first, then the JPG files, then the BMP files, each group in the
// order the file system returns them. Extensions match ignoring case; names
// are kept as found, without folder.
std::vector<std::string> TextureFileNames(const std::string& folder);

// The program's texture folder (Vist3D/TEX beside the executable), with a
// trailing '/'.
std::string TextureFolder();

// The largest texture an export copies beside its OBJ (64 MB): a sparse or
// huge file in the folder would otherwise be copied on every export.
inline constexpr uint64_t kMaxTextureCopyBytes = uint64_t{64} << 20;

// A file of the texture folder an export copies: its name, the path to read
// it from (links resolved), and why it is not copied, when it is not.
struct TextureCopySource {
  std::string name, path, skipped;
};

// The files an export copies from `folder`: regular files with plain names
// that lie inside the folder. A link whose target lies outside it, folders
// and odd names are left out; a file larger than kMaxTextureCopyBytes is
// listed with the reason it is skipped.
std::vector<TextureCopySource> TexturesToCopy(const std::string& folder);
