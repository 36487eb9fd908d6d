#pragma once
#include <cstdint>
#include <vector>

#include "RecordedObject.h"

// Counts what BuildObjectMesh will make of an element while it is drawn,
// one primitive at a time, without keeping the element's corners: a
// triangle uses only corners of its own primitive. The glTF export lays
// its file out from these counts before it writes.
class MeshMeasurer {
 public:
  // A new element: nothing counted.
  void StartElement() { measure_ = {}; }
  // A new primitive: its corners are numbered from 0.
  void StartPrimitive() { corners_.clear(); }
  // The primitive's next corner: its position as placed (FinishCorners
  // cuts it), and whether it has a normal with a length and a texture
  // coordinate.
  void Corner(const double* p, bool hasNormal, bool hasTexCoord);
  size_t CornerCount() const { return corners_.size(); }
  // A triangle of the primitive's corners a, b, c.
  void Triangle(uint32_t a, uint32_t b, uint32_t c);
  MeshMeasure Measure() const;

 private:
  struct Kept {
    double p[3];
    bool finite, hasNormal, hasTexCoord;
    bool counted;  // a corner with a normal of its own is one vertex however many triangles use it
  };
  std::vector<Kept> corners_;
  MeshMeasure measure_;
  // The bounds as placed: cutting keeps the order of numbers, so only the
  // bounds are cut, not every position.
  double min_[3] = {0, 0, 0}, max_[3] = {0, 0, 0};
};
