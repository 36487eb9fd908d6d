#include "ObjectMesh.h"

#include <algorithm>
#include <cmath>

namespace {
bool Finite3(const float* v) { return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]); }

// The cross product of the triangle a, b, c's sides, in double.
void FaceCross(const float* a, const float* b, const float* c, double* out) {
  const double u[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
  const double w[3] = {double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
  out[0] = u[1] * w[2] - u[2] * w[1];
  out[1] = u[2] * w[0] - u[0] * w[2];
  out[2] = u[0] * w[1] - u[1] * w[0];
}
}  // namespace

void FaceNormal(const float* a, const float* b, const float* c, float* out) {
  double cross[3];
  FaceCross(a, b, c, cross);
  for (int k = 0; k < 3; ++k) out[k] = static_cast<float>(cross[k]);
  if (!MakeUnit(out)) out[0] = out[1] = out[2] = 0;
}

void TurnedFaceNormal(const float* a, const float* b, const float* c, const float* face, float* out) {
  // Turning a triangle negates its cross product exactly, and so its unit
  // normal, except for zeros: their signs come from the products, not from
  // the face's; and without a length every component is +0.
  double cross[3];
  FaceCross(a, b, c, cross);
  const bool none = face[0] == 0 && face[1] == 0 && face[2] == 0;
  for (int k = 0; k < 3; ++k) {
    const auto component = static_cast<float>(cross[k]);
    out[k] = none ? 0.0f : component == 0 ? component : face[k];
  }
}

namespace {
// The corners' unit normals added up, axis by axis.
void NormalSum(const float* const given[3], double* sum) {
  for (int i = 0; i < 3; ++i) sum[i] = double(given[0][i]) + given[1][i] + given[2][i];
}

// The triangle a, b, c's cross product cut to float, as FaceNormal makes
// it before making it unit.
void CutCross(const float* a, const float* b, const float* c, float* cut) {
  double cross[3];
  FaceCross(a, b, c, cross);
  for (int i = 0; i < 3; ++i) cut[i] = static_cast<float>(cross[i]);
}

// Whether the corners' normals, whose sum is `normalSum` (each unit),
// disagree with the triangle whose sides' cross product, cut to float, is
// `cross`: +1 yes, 0 no, -1 not sure. The unit face normal the answer would
// otherwise come from differs from cross / length by under 2^-24 of each
// component, so a sum of products far larger than that error (each
// product is at most a cross component, the normals being unit) has the
// same sign.
int SureTurn(const float* cross, const double* normalSum) {
  const double c[3] = {cross[0], cross[1], cross[2]};
  const double squared = c[0] * c[0] + c[1] * c[1] + c[2] * c[2];
  if (!(squared >= 1e-20 && squared <= 1e300)) return -1;  // near no length, or past a double's range
  double sum = 0, size = 0;
  for (int i = 0; i < 3; ++i) {
    sum += c[i] * normalSum[i];
    size += std::fabs(c[i]);
  }
  if (std::fabs(sum) <= size * 0x1p-18) return -1;
  return sum < 0 ? 1 : 0;
}
}  // namespace

bool OrientTriangle(const RecordedObject& object, size_t t, OrientedTriangle& out, bool faceWanted) {
  const RecordedCorner* c[3];
  for (int k = 0; k < 3; ++k) {
    c[k] = &object.corners[object.triangles[3 * t + k]];
    if (!Finite3(c[k]->p)) return false;
    out.given[k] = c[k]->hasNormal ? c[k]->n : nullptr;
  }
  out.order[0] = 0, out.order[1] = 1, out.order[2] = 2;
  int turn = -1;
  if (!faceWanted && out.given[0] && out.given[1] && out.given[2]) {
    float cut[3];
    double normalSum[3];
    CutCross(c[0]->p, c[1]->p, c[2]->p, cut);
    NormalSum(out.given, normalSum);
    turn = SureTurn(cut, normalSum);
    if (turn >= 0) std::fill_n(out.face, 3, 0.0f);
  }
  if (turn < 0) {
    FaceNormal(c[0]->p, c[1]->p, c[2]->p, out.face);
    // The corners' own normals, where usable, say which side is outside.
    double agreement = 0;
    for (int k = 0; k < 3; ++k)
      if (out.given[k])
        agreement += double(out.face[0]) * out.given[k][0] + double(out.face[1]) * out.given[k][1] +
                     double(out.face[2]) * out.given[k][2];
    turn = agreement < 0;
  }
  out.turned = turn == 1;
  if (out.turned) {
    std::swap(out.order[1], out.order[2]);
    for (float& f : out.face) f = -f;
  }
  return true;
}

void BuildObjectMesh(const RecordedObject& object, ObjectMesh& mesh) {
  mesh.vertices.clear();
  mesh.indices.clear();
  mesh.hasTexCoords = false;
  std::fill_n(mesh.min, 3, 0.0f);
  std::fill_n(mesh.max, 3, 0.0f);
  // The vertex each corner became, when it may be shared (-1: not yet).
  std::vector<int64_t>& shared = mesh.cornerVertex;
  shared.assign(object.corners.size(), -1);
  const size_t triangles = object.triangles.size() / 3;
  mesh.vertices.reserve(3 * triangles);
  mesh.indices.reserve(3 * triangles);
  mesh.vertexCorner.clear();
  OrientedTriangle tri;
  for (size_t t = 0; t < triangles; ++t) {
    if (!OrientTriangle(object, t, tri, false)) continue;
    for (const int k : tri.order) {
      const uint32_t cornerIndex = object.triangles[3 * t + k];
      const RecordedCorner& corner = object.corners[cornerIndex];
      mesh.hasTexCoords = mesh.hasTexCoords || corner.hasTexCoord;
      // A corner with its face's normal is the face's alone.
      const bool given = tri.given[k] != nullptr;
      if (given && shared[cornerIndex] >= 0) {
        mesh.indices.push_back(static_cast<uint32_t>(shared[cornerIndex]));
        continue;
      }
      MeshVertex vertex{};
      std::copy_n(corner.p, 3, vertex.p);
      std::copy_n(given ? tri.given[k] : tri.face, 3, vertex.n);
      if (!given && vertex.n[0] == 0 && vertex.n[1] == 0 && vertex.n[2] == 0) vertex.n[1] = 1;
      if (corner.hasTexCoord) {
        vertex.uv[0] = std::isfinite(corner.st[0]) ? corner.st[0] : 0;
        vertex.uv[1] = std::isfinite(corner.st[1]) ? 1 - corner.st[1] : 0;
      }
      const auto index = static_cast<uint32_t>(mesh.vertices.size());
      if (mesh.vertices.empty()) {
        std::copy_n(vertex.p, 3, mesh.min);
        std::copy_n(vertex.p, 3, mesh.max);
      }
      for (int i = 0; i < 3; ++i) {
        mesh.min[i] = std::min(mesh.min[i], vertex.p[i]);
        mesh.max[i] = std::max(mesh.max[i], vertex.p[i]);
      }
      mesh.vertices.push_back(vertex);
      mesh.vertexCorner.push_back(cornerIndex);
      mesh.indices.push_back(index);
      if (given) shared[cornerIndex] = index;
    }
  }
}

bool MakeMeshPattern(const RecordedObject& finished, MeshPattern& pattern) {
  const size_t triangles = finished.triangles.size() / 3;
  pattern = MeshPattern();
  pattern.corners = finished.corners.size();
  pattern.turned.resize(triangles);
  pattern.normalSums.resize(3 * triangles);
  OrientedTriangle tri;
  for (size_t t = 0; t < triangles; ++t) {
    // Every triangle made, each corner with a normal of its own: nothing
    // that would change with the placement but the sides.
    if (!OrientTriangle(finished, t, tri, false) || !tri.given[0] || !tri.given[1] || !tri.given[2]) return false;
    pattern.turned[t] = tri.turned;
    NormalSum(tri.given, &pattern.normalSums[3 * t]);
  }
  ObjectMesh mesh;
  BuildObjectMesh(finished, mesh);
  pattern.vertexCorner = mesh.vertexCorner;
  pattern.indices = mesh.indices;
  pattern.hasTexCoords = mesh.hasTexCoords;
  for (const MeshVertex& v : mesh.vertices) {
    pattern.normals.insert(pattern.normals.end(), v.n, v.n + 3);
    pattern.texCoords.insert(pattern.texCoords.end(), v.uv, v.uv + 2);
  }
  return true;
}

bool FollowsPattern(const RecordedObject& object, const MeshPattern& pattern) {
  const size_t triangles = pattern.turned.size();
  if (object.corners.size() != pattern.corners || object.triangles.size() != 3 * triangles) return false;
  for (const RecordedCorner& corner : object.corners)
    if (!Finite3(corner.p)) return false;
  OrientedTriangle tri;
  for (size_t t = 0; t < triangles; ++t) {
    const uint32_t* c = &object.triangles[3 * t];
    float cut[3];
    CutCross(object.corners[c[0]].p, object.corners[c[1]].p, object.corners[c[2]].p, cut);
    int turn = SureTurn(cut, &pattern.normalSums[3 * t]);
    if (turn < 0) turn = OrientTriangle(object, t, tri, false) && tri.turned;  // worked out in full
    if (turn != pattern.turned[t]) return false;
  }
  return true;
}
