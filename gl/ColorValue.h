#pragma once
#include <cstdint>

// A colour value as documents store it: 0x00BBGGRR, or 0x800000nn for
// system colour nn. Returns the plain 0x00BBGGRR colour, resolving system
// colours through the application's palette (or the classic defaults when
// there is no application).
uint32_t ResolveColor(uint32_t color);

inline int RedOf(uint32_t c) { return c & 0xFF; }
inline int GreenOf(uint32_t c) { return (c >> 8) & 0xFF; }
inline int BlueOf(uint32_t c) { return (c >> 16) & 0xFF; }
