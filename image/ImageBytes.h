#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The longest image file read for a texture (256 MiB); a picture within
// the pixel limit compresses to far less.
inline constexpr size_t kMaxImageFileBytes = size_t{256} * 1024 * 1024;

// Reads a whole regular file into `bytes`. False (and `bytes` empty) when
// it cannot be read or is longer than kMaxImageFileBytes.
bool ReadImageBytes(const std::string& path, std::vector<uint8_t>& bytes);
