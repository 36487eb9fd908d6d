// The mesh canvas's shapes: learned once, taken again without their calls.
#include <algorithm>
#include <cstring>

#include "MeshCanvas.h"

namespace {
// What the learned shapes may hold: a few MB.
constexpr size_t kLearnedShapes = 4096, kLearnedCorners = size_t{1} << 16;

template <class T>
void AppendBytes(std::string& out, const T& value) {
  out.append(reinterpret_cast<const char*>(&value), sizeof value);
}
}  // namespace

void MeshCanvas::Unlearn() {
  if (!learning_) return;
  *learning_ = LearnedShape();  // not whole: drawn whenever it comes again
  learning_ = nullptr;
  measurer_.Learn(nullptr);
}

void MeshCanvas::AppendState(std::string& key) const {
  key += static_cast<char>((normalCount_ > 0) | (texCoordCount_ > 0) << 1);
  key += static_cast<char>(primMode_);
  if (measuring_) {
    key += static_cast<char>(normalHasLength_);
  } else {
    AppendBytes(key, normal_);
    AppendBytes(key, texCoord_);
  }
}

bool MeshCanvas::ElementEmpty() const {
  return measuring_ ? measurer_.Empty() && measurer_.CornerCount() == 0 : object_.corners.empty();
}

bool MeshCanvas::BeginShape(std::string_view key) {
  Unlearn();
  // Corners given outside a primitive, or one left open, would join the
  // shape's first; a shape is learned and taken only at an element's start.
  if (!ElementEmpty()) return false;
  std::string& known = shapeKey_;  // kept: no allocation per element
  known.assign(key);
  AppendState(known);
  if (const auto found = shapes_.find(known); found != shapes_.end()) return TakeAgain(found->second);
  if (shapes_.size() >= kLearnedShapes || learnedCorners_ >= kLearnedCorners) return false;
  LearnedShape& shape = shapes_[known];
  shape.vertices = vertexCount_, shape.normals = normalCount_, shape.texCoords = texCoordCount_;  // until EndShape
  learning_ = &shape;
  if (measuring_) measurer_.Learn(&shape.given);
  return false;
}

void MeshCanvas::EndShape() {
  if (!learning_) return;
  // Corners left outside a primitive would join the next; a position not
  // finite would count otherwise placed elsewhere.
  const bool open = measuring_ ? measurer_.CornerCount() != 0 : primStart_ != object_.corners.size();
  if (open || (measuring_ && !measurer_.LearnedFinite())) return Unlearn();
  if (learnedCorners_ + learning_->given.size() > kLearnedCorners) return Unlearn();
  LearnedShape& shape = *learning_;
  learning_ = nullptr;
  measurer_.Learn(nullptr);
  if (measuring_) {
    shape.counts = measurer_.Counts();
    // Only the bounds count, which neither the order nor a repeat of a
    // position changes: each one is placed once. Alike means alike to the
    // bit (-0 is not 0: their bounds print differently).
    using Position = MeshMeasurer::Position;
    const auto bits = [](const Position& a, const Position& b) { return std::memcmp(&a, &b, sizeof a); };
    std::sort(shape.given.begin(), shape.given.end(),
              [&](const Position& a, const Position& b) { return bits(a, b) < 0; });
    shape.given.erase(std::unique(shape.given.begin(), shape.given.end(),
                                  [&](const Position& a, const Position& b) { return bits(a, b) == 0; }),
                      shape.given.end());
  } else {
    // Kept with their normals made unit, which every take of the shape
    // would otherwise work out again.
    shape.corners = object_.corners;
    MakeNormalsUnit(shape.corners.data(), shape.corners.size());
    shape.triangles = object_.triangles;
    // The sink may work out once what every take of the shape makes, from
    // this element as it will take it.
    RecordedObject finished;
    finished.corners = shape.corners;
    finished.unitNormals = shape.corners.size();
    finished.placed = object_.placed;
    finished.triangles = shape.triangles;
    FinishCorners(finished, numbers_);
    shape.pattern = sink_.PatternOf(finished);
  }
  shape.whole = true;
  shape.vertices = vertexCount_ - shape.vertices;
  shape.normals = normalCount_ - shape.normals;
  shape.texCoords = texCoordCount_ - shape.texCoords;
  shape.normalHasLength = normalHasLength_;
  shape.primMode = primMode_;
  std::copy_n(normal_, 3, shape.normal);
  std::copy_n(texCoord_, 2, shape.texCoord);
  learnedCorners_ += shape.given.size();
}

void MeshCanvas::LearnCorner(double x, double y, double z) {
  if (learnedCorners_ + learning_->given.size() >= kLearnedCorners) return Unlearn();
  learning_->given.push_back({x, y, z});
}

bool MeshCanvas::TakeAgain(const LearnedShape& shape) {
  if (!shape.whole) return false;
  if (measuring_) {
    placed_.resize(shape.given.size());
    for (size_t i = 0; i < placed_.size(); ++i) {
      const MeshMeasurer::Position& p = shape.given[i];
      Place(p[0], p[1], p[2], placed_[i].data());
      if (!CutIsFinite(placed_[i].data())) return false;  // drawn: its triangles may count otherwise
    }
    measurer_.AddShape(shape.counts, placed_);
  } else {
    object_.placed.resize(shape.given.size());
    for (size_t i = 0; i < shape.given.size(); ++i) {
      const MeshMeasurer::Position& p = shape.given[i];
      Place(p[0], p[1], p[2], object_.placed[i].p);
    }
    object_.corners = shape.corners;
    object_.unitNormals = shape.corners.size();
    object_.triangles = shape.triangles;
    object_.pattern = shape.pattern.get();
    primStart_ = object_.corners.size();
  }
  vertexCount_ += shape.vertices, normalCount_ += shape.normals, texCoordCount_ += shape.texCoords;
  normalHasLength_ = shape.normalHasLength;
  primMode_ = shape.primMode;
  std::copy_n(shape.normal, 3, normal_);
  std::copy_n(shape.texCoord, 2, texCoord_);
  return true;
}
