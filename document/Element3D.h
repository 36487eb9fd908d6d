#pragma once
#include <cstddef>
#include <cstdint>

#include "common/ShortString.h"

// One element of a 3D object. The byte image of this record is also the
// record of the .zobj3d file, so the layout is fixed: packed, little-endian,
// 289 bytes.
enum ElementKind : int32_t { kCube = 0, kCylinder = 1, kSphere = 2, kPanel = 3 };

#pragma pack(push, 1)
struct Element3D {
  int32_t kind;           // ElementKind; other values are kept but not drawn
  ShortString63 name;     // name, or a bound-label / scale / sub-object form
  double dx, dy, dz;      // sizes in model units (10 cm); may be negative
  double x, y, z;         // centre
  double axy, ayz, axz;   // turns about Z, X and Y, degrees
  uint32_t color;         // 0x00BBGGRR, or 0x800000nn for a system colour
  double chamfer;         // cube bevel or cylinder wall thickness
  double topPercent;      // top size in percent of the base
  ShortString63 texture;  // file name under Vist3D/TEX; empty = untextured
  uint8_t invisible;      // non-zero: not drawn, not hit
  ShortString63 text;     // label text; carried, never edited here
};
#pragma pack(pop)

static_assert(sizeof(Element3D) == 289);
static_assert(offsetof(Element3D, kind) == 0);
static_assert(offsetof(Element3D, name) == 4);
static_assert(offsetof(Element3D, dx) == 68);
static_assert(offsetof(Element3D, dy) == 76);
static_assert(offsetof(Element3D, dz) == 84);
static_assert(offsetof(Element3D, x) == 92);
static_assert(offsetof(Element3D, y) == 100);
static_assert(offsetof(Element3D, z) == 108);
static_assert(offsetof(Element3D, axy) == 116);
static_assert(offsetof(Element3D, ayz) == 124);
static_assert(offsetof(Element3D, axz) == 132);
static_assert(offsetof(Element3D, color) == 140);
static_assert(offsetof(Element3D, chamfer) == 144);
static_assert(offsetof(Element3D, topPercent) == 152);
static_assert(offsetof(Element3D, texture) == 160);
static_assert(offsetof(Element3D, invisible) == 224);
static_assert(offsetof(Element3D, text) == 225);

constexpr int32_t kElementRecordSize = sizeof(Element3D);
