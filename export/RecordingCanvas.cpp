#include "RecordingCanvas.h"

#include <cmath>

#include "common/PathParts.h"
#include "common/PlainFileName.h"
#include "common/TextureFolder.h"

namespace {
constexpr double kDegree = M_PI * (1.0 / 180.0);
}  // namespace

void RecordingCanvas::Color(double r, double g, double b, double) {
  MoreThanGeometry();
  color_[0] = r;
  color_[1] = g;
  color_[2] = b;
}

void RecordingCanvas::PushTransform() {
  MoreThanGeometry();
  pushed_.push_back(placement_);
}

void RecordingCanvas::PopTransform() {
  MoreThanGeometry();
  if (pushed_.empty()) return;
  placement_ = pushed_.back();
  pushed_.pop_back();
}

void RecordingCanvas::Translate(double x, double y, double z) {
  MoreThanGeometry();
  placement_.translation[0] = x;
  placement_.translation[1] = y;
  placement_.translation[2] = z;
}

void RecordingCanvas::Rotate(double degrees, double x, double y, double z) {
  MoreThanGeometry();
  if (x != 0) placement_.angles[0] = degrees;
  if (y != 0) placement_.angles[1] = degrees;
  if (z != 0) placement_.angles[2] = degrees;
}

void RecordingCanvas::BeginRecordingFrame() {
  vertexCount_ = texCoordCount_ = normalCount_ = 0;
  placement_ = Placement{};
  pushed_.clear();
  textureFolder_ = TextureFolder();
}

// Right-handed turn of (a, b) about (ca, cb) in the plane of two axes.
void RecordingCanvas::Turn(double& a, double& b, double ca, double cb, int axis) {
  const double degrees = placement_.angles[axis];
  if (degrees != turnDegrees_[axis]) {
    turnDegrees_[axis] = degrees;
    turnSin_[axis] = std::sin(degrees * kDegree);
    turnCos_[axis] = std::cos(degrees * kDegree);
  }
  const double s = turnSin_[axis], c = turnCos_[axis];
  const double da = a - ca, db = b - cb;
  a = da * c - db * s + ca;
  b = da * s + db * c + cb;
}

void RecordingCanvas::Place(double x, double y, double z, double p[3]) {
  const double* t = placement_.translation;
  p[0] = x + t[0], p[1] = y + t[1], p[2] = z + t[2];
  const double* angle = placement_.angles;
  if (angle[0] != 0) Turn(p[1], p[2], t[1], t[2], 0);
  if (angle[1] != 0) Turn(p[2], p[0], t[2], t[0], 1);
  if (angle[2] != 0) Turn(p[0], p[1], t[0], t[1], 2);
}

bool RecordingCanvas::NamesTextureFile(const std::string& texturePath, std::string& file) const {
  file = FileNameOf(texturePath);
  const std::string folder = texturePath.substr(0, texturePath.size() - file.size());
  return IsPlainFileName(file) && folder == textureFolder_;
}

std::string LineSafe(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '_';
  return out;
}
