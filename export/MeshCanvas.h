#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "MeshMeasurer.h"
#include "NumberMemo.h"
#include "RecordedObject.h"
#include "RecordingCanvas.h"
#include "common/HandOver.h"

// Keeps each drawn element as numbers (RecordedObject) and hands it to a
// sink as soon as it is complete, so a mesh export never holds more than a
// few elements' geometry. The sink takes them on a thread of its own. The
// faces are those the OBJ text would have, split into fans of triangles,
// and every number is the one a reader of that text would get.
class MeshCanvas : public RecordingCanvas {
 public:
  explicit MeshCanvas(RecordedObjectSink& sink);

  // What a frame gives the sink: each element whole, or only what its
  // mesh would count (RecordedObject::measure), which keeps no corners.
  enum class Pass { Record, Measure };
  // A frame starts (again): the sink forgets what it took.
  void BeginExport(Pass pass = Pass::Record);
  // The frame is drawn: the last element goes to the sink, and the sink has
  // taken every element. Throws what the sink threw.
  void FinishExport();

  void BeginPrimitive(Primitive mode) override;
  void EndPrimitive() override;
  void Normal(double x, double y, double z) override;
  void TexCoord(double s, double t) override;
  void Vertex(double x, double y, double z) override;
  void BeginObject(const std::string& name) override;
  // The colour given last; the texture only when it is a plain-named file
  // of the texture folder, as the OBJ's material names it.
  void Material(const std::string& name, const std::string& texturePath) override;

  // Each shape is learned once and then taken again, placed anew, without
  // its calls: by the measuring frame, its counts and the positions that
  // bound it; by the recording frame, its corners and triangles. Only a
  // shape that makes nothing but geometry, beginning and ending outside a
  // primitive, is learned; and the measuring frame's only where every
  // position stays finite.
  bool BeginShape(std::string_view key) override;
  void EndShape() override;

 private:
  struct LearnedShape {
    bool whole = false;  // learned to its end: may be taken again
    // What it adds to the element: when measuring, its counts and the
    // positions that bound it (each once); when recording, every corner
    // (with its position as given, its normal made unit) and every triangle.
    MeshMeasure counts;
    std::vector<MeshMeasurer::Position> given;
    std::vector<RecordedCorner> corners;
    std::vector<uint32_t> triangles;
    std::shared_ptr<const MeshPattern> pattern;  // the sink's, for its takes
    // What its calls leave behind.
    int vertices = 0, normals = 0, texCoords = 0;
    bool normalHasLength = false;
    Primitive primMode = Primitive::Points;
    float normal[3] = {0, 0, 0}, texCoord[2] = {0, 0};
  };
  // Elements on their way to the sink together: the first `count`, of
  // `corners` corners; the rest keep their memory for the next.
  struct Batch {
    std::vector<RecordedObject> objects;
    size_t count = 0, corners = 0;
  };
  void HandOverObject();
  void HandOverBatch();
  // The state a shape's calls depend on: whether a normal and a texture
  // coordinate were given, the primitive's kind (EndPrimitive without
  // BeginPrimitive), and whether the normal has a length (measuring) or
  // the normal and texture coordinate themselves (recording).
  void AppendState(std::string& key) const;
  // Whether the element is as a shape begins: nothing in it yet.
  bool ElementEmpty() const;
  bool TakeAgain(const LearnedShape& shape);
  // The recording frame's corner, given at (x, y, z), joins the shape
  // being learned, unless the learned shapes would grow past their room.
  void LearnCorner(double x, double y, double z);
  // The shape being learned did more than make geometry: it is drawn
  // whenever it comes again.
  void Unlearn();
  void MoreThanGeometry() override { Unlearn(); }

  RecordedObjectSink& sink_;
  RecordedObject object_;    // the element being recorded
  bool objectOpen_ = false;  // `object_` has begun (BeginObject)
  Primitive primMode_ = Primitive::Points;
  size_t primStart_ = 0;  // the open primitive's first corner in `object_`
  // The normal and the texture coordinate given last, as written.
  float normal_[3] = {0, 0, 0}, texCoord_[2] = {0, 0};
  bool measuring_ = false;
  MeshMeasurer measurer_;
  bool normalHasLength_ = false;                          // the normal given last, once made unit
  std::unordered_map<std::string, LearnedShape> shapes_;  // by key and state before
  std::string shapeKey_;                                  // the one being looked up
  size_t learnedCorners_ = 0;
  LearnedShape* learning_ = nullptr;  // the shape being drawn, to be kept
  std::vector<MeshMeasurer::Position> placed_;
  NumberMemo numbers_;
  NumberMemo sinkNumbers_;  // the sink thread's own
  Batch batch_;
  HandOver<Batch> handOver_;  // to the sink; last, as it uses the rest
};
