#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "RecordedObject.h"

// Counts what BuildObjectMesh will make of an element while it is drawn,
// one primitive at a time, without keeping the element's corners: a
// triangle uses only corners of its own primitive. The glTF export lays
// its file out from these counts before it writes.
class MeshMeasurer {
 public:
  using Position = std::array<double, 3>;

  // A new element: nothing counted.
  void StartElement() {
    measure_ = {};
    bounded_ = false;
  }
  bool Empty() const { return measure_.vertexCount == 0 && measure_.indexCount == 0 && !measure_.hasTexCoords; }
  // A new primitive: its corners are numbered from 0.
  void StartPrimitive() { corners_.clear(); }
  // The primitive's next corner: its position as placed (FinishCorners
  // cuts it) and as given, and whether it has a normal with a length and a
  // texture coordinate.
  void Corner(const double* p, const double* given, bool hasNormal, bool hasTexCoord);
  size_t CornerCount() const { return corners_.size(); }
  // A triangle of the primitive's corners a, b, c.
  void Triangle(uint32_t a, uint32_t b, uint32_t c);
  // The counts so far; the bounds only in Measure().
  const MeshMeasure& Counts() const { return measure_; }
  MeshMeasure Measure() const;

  // While `into` is set, each corner's position as given joins it the
  // first time the corner joins the bounds: a shape learned once, to be
  // measured again (AddShape) without being drawn.
  void Learn(std::vector<Position>* into) {
    learned_ = into;
    learnedFinite_ = true;
  }
  // Whether every corner given while learning had a finite position.
  bool LearnedFinite() const { return learnedFinite_; }
  // A learned shape's counts, and its positions placed anew.
  void AddShape(const MeshMeasure& counts, const std::vector<Position>& placed);

 private:
  struct Kept {
    double p[3], given[3];
    bool finite, hasNormal, hasTexCoord;
    bool counted;  // a corner with a normal of its own is one vertex however many triangles use it
    bool bounded;  // it has joined the bounds
  };
  void Bound(const double* p);

  std::vector<Kept> corners_;
  MeshMeasure measure_;
  // The bounds as placed: cutting keeps the order of numbers, so only the
  // bounds are cut, not every position.
  bool bounded_ = false;
  double min_[3] = {0, 0, 0}, max_[3] = {0, 0, 0};
  std::vector<Position>* learned_ = nullptr;
  bool learnedFinite_ = true;
};

// Whether the position FinishCorners makes of `p` is finite.
bool CutIsFinite(const double* p);
