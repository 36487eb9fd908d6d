#pragma once
#include <cstddef>

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

 private:
  void HandOverObject();

  RecordedObjectSink& sink_;
  RecordedObject object_;    // the element being recorded
  bool objectOpen_ = false;  // `object_` has begun (BeginObject)
  Primitive primMode_ = Primitive::Points;
  size_t primStart_ = 0;  // the open primitive's first corner in `object_`
  // The normal and the texture coordinate given last, as written.
  float normal_[3] = {0, 0, 0}, texCoord_[2] = {0, 0};
  bool measuring_ = false;
  MeshMeasurer measurer_;
  bool normalHasLength_ = false;  // the normal given last, once made unit
  NumberMemo numbers_;
  NumberMemo sinkNumbers_;             // the sink thread's own
  HandOver<RecordedObject> handOver_;  // to the sink; last, as it uses the rest
};
