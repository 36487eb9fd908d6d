#include "StlWriter.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "ObjectMesh.h"
#include "WholeFileWrite.h"

namespace {
static_assert(std::endian::native == std::endian::little, "STL numbers are little-endian");
constexpr size_t kTriangleBytes = 50;
}  // namespace

bool WriteStl(const RecordedScene& scene, const std::string& path, std::string& reason) {
  std::string body;
  uint64_t count = 0, recorded = 0;
  for (const RecordedObject& object : scene.objects) recorded += object.triangles.size() / 3;
  body.reserve(recorded * kTriangleBytes);
  for (const RecordedObject& object : scene.objects) {
    const ObjectMesh mesh = BuildObjectMesh(scene, object);
    for (size_t t = 0; t + 2 < mesh.indices.size(); t += 3) {
      const float* p[3] = {mesh.vertices[mesh.indices[t]].p, mesh.vertices[mesh.indices[t + 1]].p,
                           mesh.vertices[mesh.indices[t + 2]].p};
      char record[kTriangleBytes] = {};
      float normal[3];
      FaceNormal(p[0], p[1], p[2], normal);
      std::memcpy(record, normal, 12);
      for (int k = 0; k < 3; ++k) std::memcpy(record + 12 + 12 * k, p[k], 12);
      body.append(record, kTriangleBytes);
      ++count;
    }
  }
  if (count > UINT32_MAX) {
    reason = "the scene has too many triangles for an STL file";
    return false;
  }
  // A binary STL header must not start with "solid", or readers take it for text.
  char header[84] = "Objetos 3D binary STL";
  const auto count32 = static_cast<uint32_t>(count);
  std::memcpy(header + 80, &count32, 4);
  return WriteWholeFile(path, {std::string_view(header, sizeof header), body}, reason);
}
