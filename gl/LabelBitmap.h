#pragma once
#include <cstdint>
#include <string>

#include "TextureBitmap.h"

// Paints a label element's picture: its name, right-aligned in large
// letters, over the element's colour or over its texture, narrowed or
// widened so that the letters keep their shape once the 256 x 256 picture
// is stretched over a face of dx by dy. Names beginning "@escala|" get a
// scale ruler instead. One picture is shared by all labels (the last one
// drawn overwrites it). Null when dy is 0.
//
// Fonts need a QGuiApplication (the batch tool makes one on the offscreen
// platform); without one the picture has its background only.
const TextureBitmap* DrawLabelBitmap(const std::string& text, uint32_t color, const std::string& texturePath,
                                     double dx, double dy);

// The label's letter colour: the complement of `color`, pushed 17 away from
// the middle so it never matches a grey background.
uint32_t LabelTextColor(uint32_t color);
