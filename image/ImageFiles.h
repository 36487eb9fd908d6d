#pragma once
#include <string>

#include "TextureBitmap.h"

class QImage;

// Reads a texture file into `bitmap` as 24-bit BGR rows: ".bmp" (any case)
// as a Windows bitmap, every other extension as JPEG (DecodeBmp and
// DecodeJpeg on the file's bytes). A missing file leaves the bitmap as it
// is; a file that cannot be decoded, is longer than kMaxImageFileBytes or
// holds more than kMaxTexturePixels leaves it empty.
void LoadImageFile(TextureBitmap& bitmap, const std::string& path);

// Converts any QImage to the texture layout.
TextureBitmap BitmapFromImage(const QImage& image);
// And back (RGB888), for painting over a texture and for tests.
QImage ImageFromBitmap(const TextureBitmap& bitmap);
