#pragma once
#include "ShapeLists.h"

// How much of each shape a frame draws. Exports never come here: they
// always record every shape whole.
enum class DrawDetail {
  // Every shape exactly as the export records it, each distinct shape its
  // own list: pictures saved as files.
  Exact,
  // What the frame's pixels show: round shapes with as many segments as
  // their size on screen needs (the outline off by at most a third of a
  // pixel), bevels too narrow to shade a pixel left off, and shapes that
  // differ by less than a quarter of a pixel sharing one list. The
  // editor's frame at rest, and the thumbnail.
  Needed,
  // Cheaper still while the camera moves or a drag runs: the outline may be
  // off by a pixel and a half, and elements far below a pixel are left out.
  Moving,
};

// The shape a frame draws for `exact` when one model unit at the element
// covers `pixelsPerUnit` pixels on screen (0 or less: unknown, the shape
// is kept whole). Kind -1 when nothing would show.
ShapeKey ShapeForView(const ShapeKey& exact, double pixelsPerUnit, DrawDetail detail);

// How many vertices a shape's mesh sends: the measure of what its compiled
// list holds.
long long ShapeVertexCount(const ShapeKey& key);
