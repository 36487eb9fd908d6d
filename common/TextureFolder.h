#pragma once
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
