#include "StlWriter.h"

#include <bit>
#include <cstring>

#include "ObjectMesh.h"

namespace {
static_assert(std::endian::native == std::endian::little, "STL numbers are little-endian");
constexpr size_t kTriangleBytes = 50, kHeaderBytes = 84, kBufferBytes = size_t{1} << 20;
constexpr char kTooMany[] = "the scene has too many triangles for an STL file";
}  // namespace

StlWriter::StlWriter(const std::string& path) : file_(path) {}

void StlWriter::Restart() {
  buffer_.clear();
  count_ = 0;
  started_ = true;
  if (!file_.Restart()) return;
  // A binary STL header must not start with "solid", or readers take it for
  // text. The count follows at the end.
  char header[kHeaderBytes] = "Objetos 3D binary STL";
  buffer_.insert(buffer_.end(), header, header + kHeaderBytes);
}

void StlWriter::Flush() {
  if (!buffer_.empty()) file_.Write(buffer_.data(), buffer_.size());
  buffer_.clear();
}

void StlWriter::Take(const RecordedObject& object) {
  if (!started_) Restart();
  if (!file_.ok() || count_ > UINT32_MAX) return;  // nothing more to gain
  OrientedTriangle tri;
  const size_t triangles = object.triangles.size() / 3;
  for (size_t t = 0; t < triangles; ++t) {
    if (!OrientTriangle(object, t, tri)) continue;
    const float* p[3];
    for (int k = 0; k < 3; ++k) p[k] = object.corners[object.triangles[3 * t + tri.order[k]]].p;
    char record[kTriangleBytes] = {};
    if (tri.turned) {
      float normal[3];
      // Worked out again rather than negated: a zero keeps the sign the
      // turned triangle's own cross product gives it.
      FaceNormal(p[0], p[1], p[2], normal);
      std::memcpy(record, normal, 12);
    } else {
      std::memcpy(record, tri.face, 12);
    }
    for (int k = 0; k < 3; ++k) std::memcpy(record + 12 + 12 * k, p[k], 12);
    buffer_.insert(buffer_.end(), record, record + kTriangleBytes);
    ++count_;
  }
  if (buffer_.size() >= kBufferBytes) Flush();
}

bool StlWriter::Write(std::string& reason) {
  if (!started_) Restart();
  Flush();
  if (count_ > UINT32_MAX) {
    reason = kTooMany;
    return false;
  }
  const auto count32 = static_cast<uint32_t>(count_);
  if (file_.WriteAt(80, &count32, 4) && file_.Commit()) return true;
  reason = file_.Error();
  return false;
}
