#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "export/MeshCanvas.h"
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

// The STL export turns a triangle's face normal instead of working it out
// again; its bits must be the worked-out ones, zeros' signs included (a
// product of a zero and a negative side is -0). Sides on the axes and
// degenerate triangles make the zeros.
TEST(ObjectMesh, ATurnedTrianglesNormalIsTheOneWorkedOutForIt) {
  std::mt19937 random(7);
  const auto number = [&] { return static_cast<float>(static_cast<int>(random() % 7) - 3) / 2; };
  for (int t = 0; t < 20000; ++t) {
    float p[3][3];
    for (auto& corner : p)
      for (float& v : corner) v = number();
    float face[3], turned[3], worked[3];
    FaceNormal(p[0], p[1], p[2], face);
    for (float& f : face) f = -f;  // as OrientTriangle turns it
    TurnedFaceNormal(p[0], p[2], p[1], face, turned);
    FaceNormal(p[0], p[2], p[1], worked);
    ASSERT_EQ(0, std::memcmp(turned, worked, sizeof worked)) << t;
  }
}
}  // namespace

namespace {
// Takes elements as the mesh exports do, failing on the one named "bad".
class FailingSink final : public RecordedObjectSink {
 public:
  void Restart() override { names.clear(); }
  void Take(const RecordedObject& object) override {
    if (object.name == "bad") throw std::length_error("too large");
    names.push_back(object.name);
    for (const RecordedCorner& c : object.corners) unitNormals += c.hasNormal && std::fabs(Length(c.n) - 1) < 1e-6;
  }
  static double Length(const float* n) { return std::sqrt(double(n[0]) * n[0] + double(n[1]) * n[1] + n[2] * n[2]); }
  std::vector<std::string> names;
  int unitNormals = 0;
};

void DrawTriangle(Canvas& canvas, const std::string& name) {
  canvas.BeginObject(name);
  canvas.Material(name, "");
  canvas.BeginPrimitive(Primitive::Triangles);
  canvas.Normal(0, 0, 3);  // made unit by the time the sink takes it
  for (int k = 0; k < 3; ++k) canvas.Vertex(k, k == 1, 0);
  canvas.EndPrimitive();
}

// The sink takes the elements on a thread of its own. A fault there fails
// the export even where the drawing carries on past faults of its own (a
// drawn frame ends with what was built): a file missing an element must
// not pass for complete.
TEST(MeshCanvas, TheSinksFaultFailsTheExportWhateverTheDrawingDoes) {
  FailingSink sink;
  MeshCanvas canvas(sink);
  canvas.BeginExport();
  for (int i = 0; i < 600; ++i) DrawTriangle(canvas, "e" + std::to_string(i));
  canvas.FinishExport();
  ASSERT_EQ(sink.names.size(), 600u);
  EXPECT_EQ(sink.names[599], "e599");
  EXPECT_EQ(sink.unitNormals, 1800);

  canvas.BeginExport();
  EXPECT_TRUE(sink.names.empty());
  for (int i = 0; i < 600; ++i) {
    try {
      DrawTriangle(canvas, i == 10 ? "bad" : "e" + std::to_string(i));
    } catch (const std::exception&) {
      // as a drawn frame does
    }
  }
  EXPECT_THROW(canvas.FinishExport(), std::length_error);
  EXPECT_EQ(sink.names.size(), 10u);
}
}  // namespace
