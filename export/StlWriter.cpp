#include "StlWriter.h"

#include <bit>
#include <cstring>
#include <exception>

#include "ObjectMesh.h"

namespace {
static_assert(std::endian::native == std::endian::little, "STL numbers are little-endian");
constexpr size_t kTriangleBytes = 50, kHeaderBytes = 84;
constexpr char kTooMany[] = "the scene has too many triangles for an STL file";
}  // namespace

StlWriter::StlWriter(const std::string& path) : file_(path) {}

StlWriter::~StlWriter() {
  if (writer_ && block_) writer_->Return(block_);
}

void StlWriter::Restart() {
  if (writer_ && block_) writer_->Return(block_);
  block_ = nullptr;
  used_ = 0;
  count_ = 0;
  started_ = true;
  if (writer_ && !writer_->Drain()) return;
  if (!file_.Restart()) return;
  if (!writer_) {
    try {
      writer_ = std::make_unique<BlockWriter>(file_);
    } catch (const std::exception&) {  // no memory for its blocks, or no thread
      writer_.reset();
      return;
    }
  }
  // A binary STL header must not start with "solid", or readers take it for
  // text. The count follows at the end. The header starts the first block.
  block_ = writer_->Take();
  std::memset(block_, 0, kHeaderBytes);
  std::memcpy(block_, "Objetos 3D binary STL", 21);
  used_ = kHeaderBytes;
}

// A whole block goes out; what a triangle wrote past its end starts the next.
void StlWriter::Submit() {
  char* next = writer_->Take();
  const size_t over = used_ - BlockWriter::kBlockBytes;
  std::memcpy(next, block_ + BlockWriter::kBlockBytes, over);
  writer_->Submit(block_, BlockWriter::kBlockBytes);
  block_ = next;
  used_ = over;
}

void StlWriter::Take(const RecordedObject& object) {
  if (!started_) Restart();
  if (!block_ || count_ > UINT32_MAX) return;  // nothing more to gain
  OrientedTriangle tri;
  const size_t triangles = object.triangles.size() / 3;
  for (size_t t = 0; t < triangles; ++t) {
    if (!OrientTriangle(object, t, tri)) continue;
    const float* p[3];
    for (int k = 0; k < 3; ++k) p[k] = object.corners[object.triangles[3 * t + tri.order[k]]].p;
    char* record = block_ + used_;
    if (tri.turned) {
      float normal[3];
      // Not merely negated: a zero keeps the sign the turned triangle's
      // own cross product gives it.
      TurnedFaceNormal(p[0], p[1], p[2], tri.face, normal);
      std::memcpy(record, normal, 12);
    } else {
      std::memcpy(record, tri.face, 12);
    }
    for (int k = 0; k < 3; ++k) std::memcpy(record + 12 + 12 * k, p[k], 12);
    record[48] = record[49] = 0;
    used_ += kTriangleBytes;
    ++count_;
    if (used_ >= BlockWriter::kBlockBytes) Submit();
  }
}

Outcome StlWriter::Write() {
  if (!started_) Restart();
  if (!writer_ || !block_)
    return Outcome::Error(Outcome::Failed, file_.ok() ? "not enough memory to write it" : file_.Error());
  writer_->Submit(block_, used_);
  block_ = nullptr;
  const bool written = writer_->Drain();
  writer_.reset();
  if (!written) return Outcome::Error(Outcome::Failed, file_.Error());
  if (count_ > UINT32_MAX) return Outcome::Error(Outcome::Failed, kTooMany);
  const auto count32 = static_cast<uint32_t>(count_);
  if (file_.WriteAt(80, &count32, 4) && file_.Commit()) return {};
  return Outcome::Error(Outcome::Failed, file_.Error());
}
