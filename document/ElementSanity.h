#pragma once
#include <cstdint>

struct Element3D;
class TIMem32;

// Numbers an element may be drawn with: finite and below this magnitude.
// Beyond it single-precision matrices lose the element's own size, and a
// NaN or infinity would poison every matrix and exported vertex after it.
inline constexpr double kMaxElementValue = 1e9;

// Whether every coordinate, size, angle, the chamfer and the top size of
// the element are finite and below kMaxElementValue in magnitude. Elements
// that fail are left out of the view, of pictures and of exports, and kept
// as they are in the document.
bool IsDrawableElement(const Element3D& element);

// How many visible elements of a store (Element3D records) are not
// drawable: what a drawing of the store leaves out.
int32_t CountUndrawableElements(const TIMem32& elements);
