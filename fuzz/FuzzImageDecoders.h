#pragma once
#include <cstdlib>

#include "image/TextureBitmap.h"

// What every decoder promises: either an empty bitmap, or one whose pixel
// block holds exactly its padded rows.
inline void CheckDecoded(bool ok, const TextureBitmap& b) {
  if (!ok) {
    if (!b.pixels.empty() && !b.empty()) std::abort();
    return;
  }
  if (b.empty() || b.pixels.size() != static_cast<size_t>(b.rowBytes()) * static_cast<size_t>(b.height)) std::abort();
}
