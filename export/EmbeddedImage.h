#pragma once
#include <string>
#include <string_view>

// A texture as a glTF file can carry it: JPEG bytes kept as they are, any
// other image QImage reads (BMP) converted to PNG.
struct EmbeddedImage {
  std::string bytes;     // empty = nothing to embed
  std::string mimeType;  // "image/jpeg" or "image/png"
};

// Reads `path` (a regular file of at most 64 MB) and prepares it; anything
// else, or an undecodable file, gives an empty image.
EmbeddedImage LoadEmbeddedImage(const std::string& path);
