#include "ObjectMesh.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace {
bool Finite3(const float* v) { return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]); }

// Scales v to unit length; false (v untouched) when it has none.
bool Normalize(float* v) {
  const double length = std::sqrt(double(v[0]) * v[0] + double(v[1]) * v[1] + double(v[2]) * v[2]);
  if (!std::isfinite(length) || length < 1e-12) return false;
  for (int i = 0; i < 3; ++i) v[i] = static_cast<float>(v[i] / length);
  return true;
}

struct CornerKey {
  int32_t v, vt, vn;
  bool operator==(const CornerKey&) const = default;
};
struct CornerHash {
  size_t operator()(const CornerKey& k) const {
    uint64_t h = static_cast<uint32_t>(k.v);
    h = h * 0x9E3779B97F4A7C15ull ^ static_cast<uint32_t>(k.vt);
    h = h * 0x9E3779B97F4A7C15ull ^ static_cast<uint32_t>(k.vn);
    return static_cast<size_t>(h ^ (h >> 29));
  }
};
}  // namespace

void FaceNormal(const float* a, const float* b, const float* c, float* out) {
  const double u[3] = {double(b[0]) - a[0], double(b[1]) - a[1], double(b[2]) - a[2]};
  const double w[3] = {double(c[0]) - a[0], double(c[1]) - a[1], double(c[2]) - a[2]};
  out[0] = static_cast<float>(u[1] * w[2] - u[2] * w[1]);
  out[1] = static_cast<float>(u[2] * w[0] - u[0] * w[2]);
  out[2] = static_cast<float>(u[0] * w[1] - u[1] * w[0]);
  if (!Normalize(out)) out[0] = out[1] = out[2] = 0;
}

ObjectMesh BuildObjectMesh(const RecordedScene& scene, const RecordedObject& object) {
  ObjectMesh mesh;
  std::unordered_map<CornerKey, uint32_t, CornerHash> shared;
  const size_t corners = object.triangles.size() / 3 * 3;
  for (size_t t = 0; t < corners; t += 3) {
    const RecordedCorner* c = &object.triangles[t];
    const float* p[3];
    bool finite = true;
    for (int k = 0; k < 3; ++k) {
      p[k] = scene.positions[c[k].v].data();
      finite = finite && Finite3(p[k]);
    }
    if (!finite) continue;
    float face[3];
    FaceNormal(p[0], p[1], p[2], face);
    // The corners' own normals, where usable, say which side is outside.
    float given[3][3];
    bool hasGiven[3];
    double agreement = 0;
    for (int k = 0; k < 3; ++k) {
      hasGiven[k] = c[k].vn >= 0;
      if (hasGiven[k]) {
        std::copy_n(scene.normals[c[k].vn].data(), 3, given[k]);
        hasGiven[k] = Normalize(given[k]);
      }
      if (hasGiven[k])
        agreement += double(face[0]) * given[k][0] + double(face[1]) * given[k][1] + double(face[2]) * given[k][2];
    }
    int order[3] = {0, 1, 2};
    if (agreement < 0) {
      std::swap(order[1], order[2]);
      for (float& f : face) f = -f;
    }
    for (const int k : order) {
      const bool hasTexCoord = c[k].vt >= 0;
      mesh.hasTexCoords = mesh.hasTexCoords || hasTexCoord;
      // A corner with its face's normal is the face's alone.
      const CornerKey key{c[k].v, c[k].vt, hasGiven[k] ? c[k].vn : -1};
      if (hasGiven[k]) {
        const auto found = shared.find(key);
        if (found != shared.end()) {
          mesh.indices.push_back(found->second);
          continue;
        }
      }
      MeshVertex vertex{};
      std::copy_n(p[k], 3, vertex.p);
      std::copy_n(hasGiven[k] ? given[k] : face, 3, vertex.n);
      if (!hasGiven[k] && vertex.n[0] == 0 && vertex.n[1] == 0 && vertex.n[2] == 0) vertex.n[1] = 1;
      if (hasTexCoord) {
        const auto& st = scene.texCoords[c[k].vt];
        vertex.uv[0] = std::isfinite(st[0]) ? st[0] : 0;
        vertex.uv[1] = std::isfinite(st[1]) ? 1 - st[1] : 0;
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
      mesh.indices.push_back(index);
      if (hasGiven[k]) shared.emplace(key, index);
    }
  }
  return mesh;
}
