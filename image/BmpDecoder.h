#pragma once
#include <cstddef>
#include <cstdint>

#include "TextureBitmap.h"

// A Windows bitmap (any pixel format the image library reads) from memory.
// Bytes that are no bitmap, or whose header claims a picture beyond
// kMaxTexturePixels, give false and leave `out` empty; the size is checked
// before any pixel memory is allocated.
bool DecodeBmp(const uint8_t* data, size_t size, TextureBitmap& out);

// The picture size a bitmap header declares (the height as a magnitude:
// negative heights mean top-down rows). False when the bytes are too short
// to hold a header or do not begin with "BM".
bool BmpDeclaredSize(const uint8_t* data, size_t size, uint64_t& width, uint64_t& height);
