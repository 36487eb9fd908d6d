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
  // The primitive's next corner, as FinishCorners leaves it.
  void Corner(const float* p, bool hasNormal, bool hasTexCoord);
  size_t CornerCount() const { return corners_.size(); }
  // A triangle of the primitive's corners a, b, c.
  void Triangle(uint32_t a, uint32_t b, uint32_t c);
  const MeshMeasure& Measure() const { return measure_; }

 private:
  struct Kept {
    float p[3];
    bool finite, hasNormal, hasTexCoord;
    bool counted;  // a corner with a normal of its own is one vertex however many triangles use it
  };
  std::vector<Kept> corners_;
  MeshMeasure measure_;
};
