#include "MeshCanvas.h"

#include <cmath>
#include <cstdint>

#include "FormatNumber.h"

namespace {
// What may wait for the sink: enough small elements that the sink's thread
// is woken for several batches, a few megabytes of corners.
constexpr size_t kWaitingBatches = 8, kWaitingCorners = size_t{1} << 16;
// Elements go to the sink a few at a time: handing one over costs more
// than a small element's use.
constexpr size_t kBatchElements = 8, kBatchCorners = kWaitingCorners / 8;
// An element that keeps no memory for the next: the spares stay a few MB.
constexpr size_t kLargeElementCorners = 4096;
}  // namespace

MeshCanvas::MeshCanvas(RecordedObjectSink& sink)
    : sink_(sink),
      handOver_(
          [this](Batch& batch) {
            for (size_t i = 0; i < batch.count; ++i) {
              RecordedObject& object = batch.objects[i];
              if (!object.prepared) {  // the drawing did not
                FinishCorners(object, sinkNumbers_);
                sink_.Prepare(object);
              }
              sink_.Take(object);
            }
          },
          [](const Batch& batch) { return batch.corners; }, kWaitingBatches, kWaitingCorners) {}

void MeshCanvas::BeginExport(Pass pass) {
  BeginRecordingFrame();
  measuring_ = pass == Pass::Measure;
  object_.Clear();
  objectOpen_ = false;
  primStart_ = 0;
  measurer_.StartElement();
  measurer_.StartPrimitive();
  Unlearn();
  shapes_.clear();
  learnedCorners_ = 0;
  batch_.count = batch_.corners = 0;
  handOver_.Settle();
  sink_.Restart();
}

void MeshCanvas::HandOverObject() {
  if (measuring_) {
    object_.measure = measurer_.Measure();
    object_.prepared = true;  // counts only: nothing to finish or pack
  } else if (handOver_.Behind()) {
    // Positions are cut, normals made unit and the sink's bytes made on
    // whichever side of the hand-over has less to do: the drawing's, while
    // the sink is behind.
    FinishCorners(object_, numbers_);
    sink_.Prepare(object_);
    object_.prepared = true;
  }
  // The element joins the batch; the batch's spare element, with its
  // memory, is the next to be recorded.
  if (batch_.objects.size() == batch_.count) batch_.objects.emplace_back();
  batch_.corners += object_.corners.size();
  std::swap(object_, batch_.objects[batch_.count++]);
  if (batch_.count >= kBatchElements || batch_.corners >= kBatchCorners) HandOverBatch();
}

void MeshCanvas::HandOverBatch() {
  if (batch_.count == 0) return;
  handOver_.Hand(batch_);  // gives back a batch used before, with its memory
  batch_.count = batch_.corners = 0;
}

void MeshCanvas::FinishExport() {
  if (objectOpen_) HandOverObject();
  objectOpen_ = false;
  object_.Clear();
  HandOverBatch();
  handOver_.Settle();
}

void MeshCanvas::BeginPrimitive(Primitive mode) {
  primMode_ = mode;
  primStart_ = object_.corners.size();
  measurer_.StartPrimitive();
}

namespace {
// The primitive's n corners as triangles, f(a, b, c) each, numbered from
// its first corner.
template <class F>
void ForEachTriangle(Primitive mode, uint32_t n, F f) {
  if (n < 3) return;
  switch (mode) {
    case Primitive::Triangles:
      for (uint32_t i = 0; i + 2 < n; i += 3) f(i, i + 1, i + 2);
      break;
    case Primitive::TriangleStrip:
      for (uint32_t i = 0; i + 2 < n; ++i) f(i, i + 1, i + 2);
      break;
    case Primitive::TriangleFan:
      for (uint32_t i = 0; i + 2 < n; ++i) f(0, i + 1, i + 2);
      break;
    case Primitive::Quads:
      for (uint32_t i = 0; i + 3 < n; i += 4) {
        f(i, i + 1, i + 2);
        f(i, i + 2, i + 3);
      }
      break;
    case Primitive::QuadStrip:
      for (uint32_t i = 0; i + 3 < n; i += 2) {
        f(i, i + 1, i + 3);
        f(i, i + 3, i + 2);
      }
      break;
    default:
      for (uint32_t i = 1; i + 1 < n; ++i) f(0, i, i + 1);
  }
}
}  // namespace

void MeshCanvas::EndPrimitive() {
  if (measuring_) {
    ForEachTriangle(primMode_, static_cast<uint32_t>(measurer_.CornerCount()),
                    [this](uint32_t a, uint32_t b, uint32_t c) { measurer_.Triangle(a, b, c); });
    measurer_.StartPrimitive();
    return;
  }
  std::vector<uint32_t>& out = object_.triangles;
  const auto base = static_cast<uint32_t>(primStart_);
  const auto n = static_cast<uint32_t>(object_.corners.size() - primStart_);
  primStart_ = object_.corners.size();
  ForEachTriangle(primMode_, n, [&](uint32_t a, uint32_t b, uint32_t c) {
    out.push_back(base + a);
    out.push_back(base + b);
    out.push_back(base + c);
  });
}

namespace {
// Whether the normal surely keeps a length once cut to six decimals: every
// component far from a float's limit, and one far from zero.
bool SurelyHasLength(double x, double y, double z) {
  const double a[3] = {std::fabs(x), std::fabs(y), std::fabs(z)};
  const bool moderate = a[0] < 1e30 && a[1] < 1e30 && a[2] < 1e30;  // false for NaN
  return moderate && (a[0] >= 1e-5 || a[1] >= 1e-5 || a[2] >= 1e-5);
}
}  // namespace

void MeshCanvas::Normal(double x, double y, double z) {
  ++normalCount_;
  // The measuring frame needs to know only whether there is a length.
  if (measuring_ && (normalHasLength_ = SurelyHasLength(x, y, z))) return;
  normal_[0] = numbers_.AsWritten(x), normal_[1] = numbers_.AsWritten(y), normal_[2] = numbers_.AsWritten(z);
  if (measuring_) normalHasLength_ = HasLength(normal_);
}

void MeshCanvas::TexCoord(double s, double t) {
  ++texCoordCount_;
  if (measuring_) return;  // only that there is one counts
  texCoord_[0] = numbers_.AsWritten(s), texCoord_[1] = numbers_.AsWritten(t);
}

void MeshCanvas::Vertex(double x, double y, double z) {
  double p[3];
  Place(x, y, z, p);
  ++vertexCount_;
  if (measuring_) {
    const double given[3] = {x, y, z};
    measurer_.Corner(p, given, normalCount_ > 0 && normalHasLength_, texCoordCount_ > 0);
    return;
  }
  if (learning_) LearnCorner(x, y, z);
  // A corner takes the normal and texture coordinate given last, as the
  // OBJ's face lines do.
  object_.placed.push_back({p[0], p[1], p[2]});
  object_.corners.push_back({{0, 0, 0},
                             {normal_[0], normal_[1], normal_[2]},
                             {texCoord_[0], texCoord_[1]},
                             normalCount_ > 0,
                             texCoordCount_ > 0});
}

void MeshCanvas::BeginObject(const std::string& name) {
  Unlearn();
  if (objectOpen_) HandOverObject();
  // What comes back held an earlier element: one far larger than most
  // gives its memory back rather than keep it while it waits as a spare.
  if (object_.corners.capacity() > kLargeElementCorners) object_ = RecordedObject();
  object_.Clear();
  object_.name = LineSafe(name);
  objectOpen_ = true;
  primStart_ = 0;  // a primitive left open ends with the element it began in
  measurer_.StartElement();
  measurer_.StartPrimitive();
}

void MeshCanvas::Material(const std::string&, const std::string& texturePath) {
  Unlearn();
  std::string file;
  const bool namesFile = NamesTextureFile(texturePath, file);
  for (int k = 0; k < 3; ++k) object_.color[k] = static_cast<float>(NumberAsWritten(color_[k]));
  object_.texturePath = namesFile ? texturePath : std::string();
}
