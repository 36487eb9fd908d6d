#pragma once
#include <cstdint>
#include <string>

#include "image/TextureBitmap.h"

// Paints a label element's picture: its name, right-aligned in large
// letters, over the element's colour or over its texture, narrowed or
// widened so that the letters keep their shape once the 256 x 256 picture
// is stretched over a face of dx by dy. Names beginning "@escala|" get a
// scale ruler instead. Null when dy is 0. A picture is painted once for the
// same text, colour, texture, size ratio and leftover edge pixels (a picture
// over the colour leaves its last row and column as the previous label left
// them), then reused; the result is valid until the next call.
//
// Fonts need a QGuiApplication (the batch tool makes one on the offscreen
// platform); without one the picture has its background only.
const TextureBitmap* DrawLabelBitmap(const std::string& text, uint32_t color, const std::string& texturePath, double dx,
                                     double dy);

// The label's letter colour: the complement of `color`, pushed 17 away from
// the middle so it never matches a grey background.
uint32_t LabelTextColor(uint32_t color);

// Forgets the painted pictures (textures they were painted over may change).
void ClearLabelCache();
// Which kept picture the last DrawLabelBitmap returned: equal ids are equal
// pictures, and an id is never given to another picture. 0 for a picture
// that is not kept (or none).
uint64_t LastLabelPictureId();
// How many painted pictures are kept.
int CachedLabelCount();
