#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "TextureBitmap.h"
#include "common/Outcome.h"

// JPEG through libjpeg. Bytes that are not a complete, clean JPEG (libjpeg
// warnings included: a truncated file otherwise decodes as grey), a picture
// beyond kMaxTexturePixels or a progressive file of more than 1000 scans
// give false and leave `out` empty; the decoder never ends the process.
bool DecodeJpeg(const uint8_t* data, size_t size, TextureBitmap& out);
// The same for a file (at most kMaxImageFileBytes long).
bool ReadJpegFile(const std::string& path, TextureBitmap& out);

// Writes top-down RGB rows (width * 3 bytes each) as a baseline JPEG with
// the library's default settings, through a temporary file renamed over the
// target. Failed, and why, when the file cannot be written; the previous
// file is then unchanged.
Outcome WriteJpegFile(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height,
                      int quality = 75);
