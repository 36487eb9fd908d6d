#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct MeshPattern;  // ObjectMesh.h

// One drawn element as the recording hands it to the mesh exports: what the
// OBJ export writes for it, kept as numbers. Every value is the one a reader
// of the OBJ text would get (NumberAsWritten), so all formats agree.
struct RecordedCorner {
  float p[3];  // world position, Y up
  // The normal given last, made unit (MakeNormalsUnit) before a sink takes
  // it; hasNormal is false when none was given or it has no length.
  float n[3];
  float st[2];  // the texture coordinate given last, when hasTexCoord
  bool hasNormal, hasTexCoord;
};

// What BuildObjectMesh makes of an element, counted without making it
// (MeshMeasurer).
struct MeshMeasure {
  size_t vertexCount = 0, indexCount = 0;
  bool hasTexCoords = false;
  float min[3] = {0, 0, 0}, max[3] = {0, 0, 0};
};

struct RecordedObject {
  std::string name;  // the element's name, control characters as "_"
  float color[3] = {0, 0, 0};
  // The texture the OBJ's material names: a plain-named file of the
  // program's texture folder, or empty.
  std::string texturePath;
  std::vector<RecordedCorner> corners;  // one per vertex drawn
  // How many of the first corners have their normals made unit already
  // (a learned shape's, taken again): FinishCorners leaves those.
  size_t unitNormals = 0;
  // Each corner's position as placed (one per corner), until
  // FinishCorners cuts them.
  struct Placed {
    double p[3];
  };
  std::vector<Placed> placed;
  // Three corner indices per triangle: the OBJ's faces split into fans, in
  // the order the OBJ writes them.
  std::vector<uint32_t> triangles;
  // The mesh its shape makes where the sink worked one out for the shape
  // (RecordedObjectSink::PatternOf): it holds while every triangle keeps
  // its side. Lives as long as the frame's learned shapes.
  const MeshPattern* pattern = nullptr;
  // What the corners and triangles make, from a measuring frame, which
  // keeps neither.
  MeshMeasure measure;
  // What a sink writes for the element, made (RecordedObjectSink::Prepare)
  // on whichever side of the hand-over has less to do; `prepared` once it is.
  std::string bytes;
  bool prepared = false;

  // Empties it for the next element, keeping the memory.
  void Clear() {
    name.clear();
    color[0] = color[1] = color[2] = 0;
    texturePath.clear();
    corners.clear();
    unitNormals = 0;
    placed.clear();
    triangles.clear();
    pattern = nullptr;
    measure = {};
    bytes.clear();
    prepared = false;
  }
};

// Scales v to unit length; false (v untouched) when it has none.
bool MakeUnit(float* v);
// Whether MakeUnit(v) would succeed.
bool HasLength(const float* v);

// Each normal made unit, as FinishCorners makes it; one without a length
// becomes no normal (hasNormal false).
void MakeNormalsUnit(RecordedCorner* corners, size_t count);

class NumberMemo;
// The corners as a sink takes them: each position the number the text would
// carry (from `placed`, which is then emptied), each normal as given made
// unit, and one without a length no normal (hasNormal false). Once only:
// corners finished already are left as they are.
void FinishCorners(RecordedObject& object, NumberMemo& numbers);

// Where the recording hands each element as soon as it is complete, so that
// a mesh export never holds more than one element's geometry.
class RecordedObjectSink {
 public:
  virtual ~RecordedObjectSink() = default;
  // A frame starts (again): forget what was taken so far.
  virtual void Restart() = 0;
  virtual void Take(const RecordedObject& object) = 0;
  // Makes `object.bytes` from its finished corners, touching nothing of the
  // sink: it may run on either thread, beside Take.
  virtual void Prepare(RecordedObject& object) const { (void)object; }
  // What the mesh of a learned shape will be, worked out once from the
  // first element made of it alone (finished), for every element that takes
  // the shape again; none where the sink has no use for it.
  virtual std::shared_ptr<const MeshPattern> PatternOf(const RecordedObject& element) const {
    (void)element;
    return nullptr;
  }
};
