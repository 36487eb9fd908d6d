#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "export/GlbWriter.h"
#include "export/MeshCanvas.h"
#include "export/ObjCanvas.h"
#include "export/ObjectMesh.h"
#include "tests/core/TestFolder.h"

namespace {
// Keeps every element the canvas hands over.
class KeepingSink final : public RecordedObjectSink {
 public:
  void Restart() override { objects.clear(); }
  void Take(const RecordedObject& object) override { objects.push_back(object); }
  std::vector<RecordedObject> objects;
};

// A random shape: primitives of every kind (stray vertices between them
// too), normals with and without a length (also once cut), texture
// coordinates, and positions that are not finite or too large for a float.
// The same `shape` draws the same calls; with `normals`, every corner is
// given a normal.
void DrawShape(Canvas& canvas, uint32_t shape, bool normals = false) {
  std::mt19937 random(shape);
  const auto number = [&] { return static_cast<double>(static_cast<int>(random() % 21) - 10) / 4; };
  for (int primitive = static_cast<int>(random() % 4); primitive > 0; --primitive) {
    if (random() % 8 != 0) canvas.BeginPrimitive(static_cast<Primitive>(random() % 10));
    for (int corner = static_cast<int>(random() % 14); corner > 0; --corner) {
      if (normals || random() % 3 == 0) canvas.Normal(number(), random() % 4 ? 1 : 0, number() * (random() % 2));
      if (random() % 20 == 0) canvas.Normal(4e-7, 0, -2e-7);  // no length once cut
      if (random() % 4 == 0) canvas.TexCoord(number(), number());
      if (random() % 60 == 0) canvas.Translate(1, 2, 3);  // a shape that moves
      double p[3] = {number(), number(), number()};
      if (random() % 40 == 0) p[random() % 3] = random() % 2 ? NAN : random() % 2 ? 1e300 : -3e38;
      canvas.Vertex(p[0], p[1], p[2]);
    }
    if (random() % 8 != 0) canvas.EndPrimitive();
  }
}

// Elements of a few shapes, each placed and turned its own way (some too
// far for a float), drawn as the view draws them (`asShapes`: a canvas
// that knows a shape may take it without its calls) or plainly.
void DrawRandomly(Canvas& canvas, uint32_t seed, bool asShapes, bool normals = false) {
  std::mt19937 random(seed);
  const auto number = [&] { return static_cast<double>(static_cast<int>(random() % 21) - 10) / 4; };
  for (int element = 0; element < 300; ++element) {
    canvas.BeginObject("e" + std::to_string(element));
    canvas.Translate(number(), number(), random() % 50 ? number() : 1e39);
    if (random() % 2) canvas.Rotate(37.5 * number(), 0, 1, 0);
    const uint32_t shape = seed * 100 + random() % 12;
    if (!asShapes || !canvas.BeginShape(std::to_string(shape))) {
      DrawShape(canvas, shape, normals);
      if (asShapes) canvas.EndShape();
    }
  }
}

bool SameCorners(const RecordedObject& a, const RecordedObject& b) {
  if (a.corners.size() != b.corners.size()) return false;
  for (size_t i = 0; i < a.corners.size(); ++i) {
    const RecordedCorner &x = a.corners[i], &y = b.corners[i];
    if (std::memcmp(x.p, y.p, sizeof x.p) != 0 || std::memcmp(x.n, y.n, sizeof x.n) != 0 ||
        std::memcmp(x.st, y.st, sizeof x.st) != 0 || x.hasNormal != y.hasNormal || x.hasTexCoord != y.hasTexCoord)
      return false;
  }
  return true;
}

// The glTF export lays its file out from a measuring frame and then writes
// what BuildObjectMesh makes of the recorded one: the two must agree on
// every element, or the export fails. Both frames learn shapes and take
// them again placed elsewhere; what they make must be what the shapes'
// calls make.
TEST(ObjectMesh, ShapesTakenAgainMeasureAndRecordWhatTheirCallsMake) {
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    KeepingSink plain, recorded, measured;
    const auto draw = [&](KeepingSink& sink, MeshCanvas::Pass pass, bool asShapes) {
      MeshCanvas canvas(sink);
      canvas.BeginExport(pass);
      DrawRandomly(canvas, seed, asShapes);
      canvas.FinishExport();
    };
    draw(plain, MeshCanvas::Pass::Record, false);
    draw(recorded, MeshCanvas::Pass::Record, true);
    draw(measured, MeshCanvas::Pass::Measure, true);
    ASSERT_EQ(plain.objects.size(), recorded.objects.size());
    ASSERT_EQ(plain.objects.size(), measured.objects.size());
    ObjectMesh mesh;
    size_t vertices = 0;
    for (size_t e = 0; e < plain.objects.size(); ++e) {
      ASSERT_TRUE(SameCorners(plain.objects[e], recorded.objects[e])) << seed << " " << e;
      ASSERT_EQ(plain.objects[e].triangles, recorded.objects[e].triangles) << seed << " " << e;
      BuildObjectMesh(plain.objects[e], mesh);
      const MeshMeasure& m = measured.objects[e].measure;
      ASSERT_TRUE(measured.objects[e].corners.empty());
      ASSERT_EQ(m.vertexCount, mesh.vertices.size()) << seed << " " << e;
      ASSERT_EQ(m.indexCount, mesh.indices.size()) << seed << " " << e;
      ASSERT_EQ(m.hasTexCoords, mesh.hasTexCoords) << seed << " " << e;
      for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(m.min[i], mesh.min[i]) << seed << " " << e;
        ASSERT_EQ(m.max[i], mesh.max[i]) << seed << " " << e;
      }
      vertices += m.vertexCount;
    }
    EXPECT_GT(vertices, 1000u);  // the drawing made meshes, not only empty elements
  }
}

// Keeps every element, with the mesh pattern of its shape worked out as
// the glTF writer has it.
class PatternSink final : public RecordedObjectSink {
 public:
  void Restart() override { objects.clear(); }
  void Take(const RecordedObject& object) override { objects.push_back(object); }
  std::shared_ptr<const MeshPattern> PatternOf(const RecordedObject& element) const override {
    auto pattern = std::make_shared<MeshPattern>();
    return MakeMeshPattern(element, *pattern) ? pattern : nullptr;
  }
  std::vector<RecordedObject> objects;
};

// The glTF writer packs an element that takes a learned shape again from
// the shape's mesh pattern while every triangle keeps its side: what it
// packs must be what BuildObjectMesh makes, byte for byte. Elements turned
// every way make sides change, and positions too far for a float leave
// triangles out; those must be built in full.
TEST(ObjectMesh, AShapesPatternPacksWhatItsMeshWouldBe) {
  TestFolder folder;
  const GlbWriter writer(folder.file("x.glb"));
  size_t followed = 0, departed = 0;
  for (uint32_t seed = 1; seed <= 8; ++seed) {
    PatternSink sink;
    MeshCanvas canvas(sink);  // holds the patterns while the elements are checked
    canvas.BeginExport();
    DrawRandomly(canvas, seed, true, true);
    canvas.FinishExport();
    for (RecordedObject& object : sink.objects) {
      if (!object.pattern) continue;
      const bool follows = FollowsPattern(object, *object.pattern);
      ++(follows ? followed : departed);
      if (follows && !object.corners.empty()) {  // one position past a float's range leaves triangles out
        RecordedObject far = object;
        far.corners.back().p[1] = INFINITY;
        EXPECT_FALSE(FollowsPattern(far, *far.pattern));
      }
      RecordedObject plain = object;
      plain.pattern = nullptr;
      writer.Prepare(object);
      writer.Prepare(plain);
      // The measure in front (its fields: padding is nobody's), then the columns.
      MeshMeasure a, b;
      std::memcpy(&a, object.bytes.data(), sizeof a);
      std::memcpy(&b, plain.bytes.data(), sizeof b);
      ASSERT_EQ(a.vertexCount, b.vertexCount);
      ASSERT_EQ(a.indexCount, b.indexCount);
      ASSERT_EQ(a.hasTexCoords, b.hasTexCoords);
      ASSERT_EQ(0, std::memcmp(a.min, b.min, sizeof a.min));
      ASSERT_EQ(0, std::memcmp(a.max, b.max, sizeof a.max));
      ASSERT_EQ(object.bytes.substr(sizeof a), plain.bytes.substr(sizeof b)) << seed << " " << object.name;
    }
  }
  EXPECT_GT(followed, 100u);
  EXPECT_GT(departed, 10u);
}

// The OBJ text of shapes played again is the text their calls write.
TEST(ObjCanvas, ShapesPlayedAgainWriteWhatTheirCallsWrite) {
  for (uint32_t seed = 1; seed <= 4; ++seed) {
    std::string text[2];
    for (const bool asShapes : {false, true}) {
      ObjCanvas canvas;
      canvas.BeginExport("a.mtl");
      DrawRandomly(canvas, seed, asShapes);
      text[asShapes] = std::string(canvas.ObjText().Text()) + canvas.MtlText();
    }
    EXPECT_GT(text[0].size(), 10000u);
    ASSERT_EQ(text[0], text[1]) << seed;
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

// The glTF export tells a triangle's side from its corners' normals without
// making its face normal unit where the side is sure. It must turn exactly
// the triangles the unit normal turns: corners' normals nearly in the
// triangle's plane, or cancelling each other, and triangles of every size
// down to nearly none make the sides that are close to a tie.
TEST(ObjectMesh, ATrianglesSideToldQuicklyIsTheSideItsUnitNormalTells) {
  std::mt19937 random(11);
  std::uniform_real_distribution<double> unit(-1, 1);
  const auto vector = [&](double* v) {
    for (int i = 0; i < 3; ++i) v[i] = unit(random);
  };
  RecordedObject object;
  for (int t = 0; t < 60000; ++t) {
    const double scale = std::pow(10.0, static_cast<int>(random() % 17) - 8);
    double a[3], u[3], w[3];
    vector(a), vector(u), vector(w);
    if (random() % 4 == 0)  // nearly in a line
      for (int i = 0; i < 3; ++i) w[i] = u[i] * 0.5 + w[i] * std::pow(10.0, -static_cast<int>(random() % 9));
    RecordedCorner c[3]{};
    for (int i = 0; i < 3; ++i) {
      c[0].p[i] = static_cast<float>(a[i] * scale);
      c[1].p[i] = static_cast<float>((a[i] + u[i]) * scale);
      c[2].p[i] = static_cast<float>((a[i] + w[i]) * scale);
    }
    float face[3];
    FaceNormal(c[0].p, c[1].p, c[2].p, face);
    // Normals near the plane: a direction in it, tipped a little to a side.
    double in[3];
    vector(in);
    const double along = in[0] * face[0] + in[1] * face[1] + in[2] * face[2];
    for (int k = 0; k < 3; ++k) {
      const double tip = unit(random) * std::pow(10.0, -static_cast<int>(random() % 9));
      const double sign = random() % 3 == 0 ? -1 : 1;  // two can cancel each other
      for (int i = 0; i < 3; ++i) c[k].n[i] = static_cast<float>(sign * (in[i] - along * face[i] + tip * face[i]));
      c[k].hasNormal = MakeUnit(c[k].n);
    }
    object.corners.assign(c, c + 3);
    object.triangles = {0, 1, 2};
    OrientedTriangle worked, quick;
    ASSERT_EQ(OrientTriangle(object, 0, worked), OrientTriangle(object, 0, quick, false));
    ASSERT_EQ(worked.turned, quick.turned) << t;
    ASSERT_EQ(0, std::memcmp(worked.order, quick.order, sizeof worked.order)) << t;
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
