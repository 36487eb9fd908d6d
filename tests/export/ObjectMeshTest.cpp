#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "export/ObjectMesh.h"

namespace {
// The glTF export lays its file out from MeasureObjectMesh and then writes
// what BuildObjectMesh makes: the two must agree on every element, or the
// export fails. Random elements mix corners shared with and without normals,
// textured corners, triangles of either winding and positions that are not
// finite.
TEST(ObjectMesh, MeasureAgreesWithTheMeshBuilt) {
  std::mt19937 random(29);
  std::vector<uint8_t> seen;
  ObjectMesh mesh;
  const auto number = [&] { return static_cast<float>(static_cast<int>(random() % 21) - 10) / 4; };
  for (int element = 0; element < 300; ++element) {
    RecordedObject object;
    const int corners = 3 + static_cast<int>(random() % 30);
    for (int c = 0; c < corners; ++c) {
      RecordedCorner corner{
          {number(), number(), number()}, {0, 1, 0}, {number(), number()}, random() % 3 != 0, random() % 4 == 0};
      if (random() % 25 == 0) corner.p[random() % 3] = random() % 2 ? NAN : INFINITY;
      if (random() % 2) corner.n[1] = -1;  // disagrees with half the faces: they turn
      object.corners.push_back(corner);
    }
    const int triangles = static_cast<int>(random() % 40);
    for (int k = 0; k < 3 * triangles; ++k) object.triangles.push_back(static_cast<uint32_t>(random() % corners));
    BuildObjectMesh(object, mesh);
    const MeshMeasure m = MeasureObjectMesh(object, seen);
    ASSERT_EQ(m.vertexCount, mesh.vertices.size()) << element;
    ASSERT_EQ(m.indexCount, mesh.indices.size()) << element;
    ASSERT_EQ(m.hasTexCoords, mesh.hasTexCoords) << element;
    for (int i = 0; i < 3; ++i) {
      ASSERT_EQ(m.min[i], mesh.min[i]) << element;
      ASSERT_EQ(m.max[i], mesh.max[i]) << element;
    }
  }
}
}  // namespace
