#pragma once
#include "WinColor.h"

// A palette colour tuned by the colour dialog's sliders: its HSL
// saturation times saturacao x 0.01, its lightness (when above 0) times
// luminosidade x 0.02, limited to 1. The result is palette-relative
// (0x02BBGGRR).
TColor AdjustColor(TColor rgb, int saturacao, int luminosidade);

// 0x02BBGGRR for a plain colour.
constexpr TColor PaletteRelative(TColor rgb) { return (rgb & 0xFFFFFFu) | 0x02000000u; }
