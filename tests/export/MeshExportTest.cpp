// glTF binary and STL exports drawn on a headless surface, read back and
// held against the OBJ export of the same scene as an independent reader sees it.
#include <gtest/gtest.h>
#include <tiny_gltf.h>
#include <tiny_obj_loader.h>

#include <QImage>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <set>
#include <type_traits>

#include "common/DataPath.h"
#include "export/ObjExport.h"
#include "gl/DrawWrappers.h"
#include "tests/export/ExportFixture.h"
#include "tests/export/MixedDocument.h"

namespace {
namespace fs = std::filesystem;
using Point = std::array<long, 3>;  // a position in units of 1e-4

Point Key(double x, double y, double z) { return {std::lround(x * 1e4), std::lround(y * 1e4), std::lround(z * 1e4)}; }

// The values of a tightly packed accessor of floats or of 32-bit indices.
template <typename T>
std::vector<T> Values(const tinygltf::Model& m, int accessor) {
  const tinygltf::Accessor& a = m.accessors.at(accessor);
  const tinygltf::BufferView& v = m.bufferViews.at(a.bufferView);
  EXPECT_EQ(a.componentType,
            (std::is_same_v<T, float> ? TINYGLTF_COMPONENT_TYPE_FLOAT : TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT));
  const T* data = reinterpret_cast<const T*>(m.buffers.at(v.buffer).data.data() + v.byteOffset + a.byteOffset);
  return std::vector<T>(data, data + a.count * tinygltf::GetNumComponentsInType(a.type));
}

tinygltf::Model LoadGlb(const std::string& path) {
  tinygltf::TinyGLTF loader;
  tinygltf::Model model;
  std::string error, warning;
  EXPECT_TRUE(loader.LoadBinaryFromFile(&model, &error, &warning, path)) << error;
  return model;
}

// The facets (normal, then three corners) of a binary STL file of the right size.
std::vector<std::array<float, 12>> ReadStl(const std::string& path) {
  const std::string bytes = ReadAll(path);
  uint32_t count = 0;
  if (bytes.size() >= 84) std::memcpy(&count, bytes.data() + 80, 4);
  EXPECT_EQ(bytes.size(), 84 + 50ull * count) << path;
  EXPECT_NE(bytes.compare(0, 5, "solid"), 0) << path;  // would read as a text STL
  std::vector<std::array<float, 12>> facets(bytes.size() == 84 + 50ull * count ? count : 0);
  for (size_t t = 0; t < facets.size(); ++t) std::memcpy(facets[t].data(), bytes.data() + 84 + 50 * t, 48);
  return facets;
}

double Dot(const float* a, const float* b) { return double(a[0]) * b[0] + double(a[1]) * b[1] + double(a[2]) * b[2]; }

void Cross(const float* a, const float* b, const float* c, float* out) {
  const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]}, w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
  out[0] = u[1] * w[2] - u[2] * w[1];
  out[1] = u[2] * w[0] - u[0] * w[2];
  out[2] = u[0] * w[1] - u[1] * w[0];
}

using MeshExportTest = ExportFixture;

// An independent reader takes the OBJ whole; the glTF file carries the same
// objects (positions, triangles, names, colours, textures), the STL the same triangles.
TEST_F(MeshExportTest, GlbCarriesTheObjGeometryNamesAndMaterials) {
  // Every kind of shape, turned and not, textured with a JPEG and a BMP,
  // one hidden, names with Latin-1 letters and JSON's special characters.
  Element3D& cube = Add("caixa \xE7\xE3o", kCube, 1, 2, 3, 0x0000FF);
  cube.chamfer = 0.3;
  cube.texture.assign("texture1.jpeg");
  Element3D& cylinder = Add("rolo \"a\\b\"\t", kCylinder, -4, 1, 0, 0x00FF00);
  cylinder.topPercent = 60;
  cylinder.axy = 30, cylinder.ayz = 45;
  Add("escondido", kCube, 9, 9, 9, 0xFFFFFF).invisible = 1;
  Add("bola", kSphere, 0, 5, -3, 0x336699).texture.assign("texture3.bmp");
  Add("painel", kPanel, 6, 0, 2, 0x808080).axz = 20;
  const std::string obj = Save("scene.obj");
  const tinygltf::Model model = LoadGlb(Save("scene.glb"));
  const std::vector<std::array<float, 12>> stl = ReadStl(Save("scene.stl"));

  tinyobj::attrib_t attrib;
  std::vector<tinyobj::shape_t> shapes;
  std::vector<tinyobj::material_t> materials;
  std::string warning, error;
  ASSERT_TRUE(tinyobj::LoadObj(&attrib, &shapes, &materials, &warning, &error, obj.c_str(), folder.c_str()));
  EXPECT_EQ(error, "");
  ASSERT_EQ(shapes.size(), 4u);  // the hidden element is not drawn
  EXPECT_EQ(materials.size(), 4u);

  ASSERT_EQ(model.scenes.size(), 1u);
  ASSERT_EQ(model.scenes[0].nodes.size(), 4u);
  // Control characters reach neither file: the OBJ writes them as "_".
  const char* const names[] = {"caixa \xC3\xA7\xC3\xA3o", "rolo \"a\\b\"_", "bola", "painel"};
  const uint32_t colors[] = {0x0000FF, 0x00FF00, 0x336699, 0x808080};
  std::set<Point> everyObj;
  size_t objTriangles = 0;
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(names[i]);
    const tinygltf::Node& node = model.nodes.at(model.scenes[0].nodes[i]);
    EXPECT_EQ(node.name, names[i]);
    const tinygltf::Mesh& mesh = model.meshes.at(node.mesh);
    ASSERT_EQ(mesh.primitives.size(), 1u);
    const tinygltf::Primitive& p = mesh.primitives[0];
    EXPECT_EQ(p.mode, TINYGLTF_MODE_TRIANGLES);

    // The same positions as the OBJ object, and as many triangles.
    std::set<Point> fromObj, fromGlb;
    for (const tinyobj::index_t& index : shapes[i].mesh.indices) {
      const float* v = &attrib.vertices[3 * index.vertex_index];
      fromObj.insert(Key(v[0], v[1], v[2]));
    }
    const std::vector<float> positions = Values<float>(model, p.attributes.at("POSITION"));
    for (size_t k = 0; k + 2 < positions.size(); k += 3)
      fromGlb.insert(Key(positions[k], positions[k + 1], positions[k + 2]));
    EXPECT_EQ(fromGlb, fromObj);
    everyObj.insert(fromObj.begin(), fromObj.end());
    objTriangles += shapes[i].mesh.indices.size() / 3;
    const std::vector<uint32_t> indices = Values<uint32_t>(model, p.indices);
    EXPECT_EQ(indices.size(), shapes[i].mesh.indices.size());

    // Bounds as declared match the data; normals are unit and agree with
    // the winding of their triangles.
    const tinygltf::Accessor& position = model.accessors[p.attributes.at("POSITION")];
    for (int axis = 0; axis < 3; ++axis) {
      float low = positions[axis], high = positions[axis];
      for (size_t k = axis; k < positions.size(); k += 3)
        low = std::min(low, positions[k]), high = std::max(high, positions[k]);
      EXPECT_EQ(static_cast<float>(position.minValues.at(axis)), low);
      EXPECT_EQ(static_cast<float>(position.maxValues.at(axis)), high);
    }
    const std::vector<float> normals = Values<float>(model, p.attributes.at("NORMAL"));
    ASSERT_EQ(normals.size(), positions.size());
    int disagreeing = 0, triangles = 0;
    for (size_t t = 0; t + 2 < indices.size(); t += 3) {
      float face[3];
      Cross(&positions[3 * indices[t]], &positions[3 * indices[t + 1]], &positions[3 * indices[t + 2]], face);
      if (Dot(face, face) < 1e-10) continue;
      ++triangles;
      if (Dot(face, &normals[3 * indices[t]]) < 0) ++disagreeing;
    }
    EXPECT_GT(triangles, 0);
    EXPECT_EQ(disagreeing, 0);
    for (size_t k = 0; k < normals.size(); k += 3) ASSERT_NEAR(Dot(&normals[k], &normals[k]), 1.0, 1e-5);

    // The material: the element's colour in linear light.
    const tinygltf::Material& material = model.materials.at(p.material);
    EXPECT_EQ(material.name, names[i]);
    const std::vector<double>& factor = material.pbrMetallicRoughness.baseColorFactor;
    ASSERT_EQ(factor.size(), 4u);
    for (int c = 0; c < 3; ++c) {
      const double d = ((colors[i] >> (8 * c)) & 0xFF) / 255.0;
      EXPECT_NEAR(factor[c], d <= 0.04045 ? d / 12.92 : std::pow((d + 0.055) / 1.055, 2.4), 1e-4);
    }
    EXPECT_EQ(factor[3], 1.0);
  }

  EXPECT_EQ(stl.size(), objTriangles);
  std::set<Point> fromStl;
  for (const auto& f : stl)
    for (int k = 3; k < 12; k += 3) fromStl.insert(Key(f[k], f[k + 1], f[k + 2]));
  EXPECT_EQ(fromStl, everyObj);

  // The JPEG travels as it is, the BMP as a PNG of the same picture.
  const auto textureOf = [&](size_t node) {
    const int material = model.meshes[model.nodes[node].mesh].primitives[0].material;
    return model.materials[material].pbrMetallicRoughness.baseColorTexture.index;
  };
  ASSERT_EQ(model.images.size(), 2u);
  EXPECT_EQ(textureOf(1), -1);
  EXPECT_EQ(textureOf(3), -1);
  const tinygltf::Image& jpeg = model.images.at(model.textures.at(textureOf(0)).source);
  EXPECT_EQ(jpeg.mimeType, "image/jpeg");
  const tinygltf::BufferView& jpegView = model.bufferViews.at(jpeg.bufferView);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(model.buffers[0].data.data() + jpegView.byteOffset),
                        jpegView.byteLength),
            ReadAll(DataPath("Vist3D/TEX/texture1.jpeg")));
  const tinygltf::Image& png = model.images.at(model.textures.at(textureOf(2)).source);
  EXPECT_EQ(png.mimeType, "image/png");
  const QImage bmp(QString::fromStdString(DataPath("Vist3D/TEX/texture3.bmp")));
  EXPECT_EQ(QSize(png.width, png.height), bmp.size());
  EXPECT_TRUE(model.meshes[model.nodes[0].mesh].primitives[0].attributes.count("TEXCOORD_0"));
}

// The bits of a position, so that -0 and 0 differ.
using Bits = std::array<uint32_t, 3>;
Bits BitsOf(const float* p) {
  Bits b;
  std::memcpy(b.data(), p, sizeof b);
  return b;
}

// A large mixed document (labels, a ruler, hidden and turned elements,
// textures): every position the glTF and STL files hold is, to the bit, a
// vertex of the OBJ as a reader gets it, and both hold as many triangles as
// the OBJ's faces split into fans.
TEST_F(MeshExportTest, MixedDocumentCarriesTheObjNumbersBitForBit) {
  FillMixedDocument(store, 400);
  const std::string obj = ReadAll(Save("mixed.obj"));
  std::set<Bits> vertices;
  size_t triangles = 0;
  for (size_t at = 0; at < obj.size();) {
    const size_t end = obj.find('\n', at);
    const std::string_view line(obj.data() + at, end - at);
    at = end + 1;
    if (line.rfind("v ", 0) == 0) {
      float p[3];
      const char* c = line.data() + 2;
      for (float& v : p) {
        double d = 0;
        c = std::from_chars(c, line.data() + line.size(), d).ptr + 1;
        v = static_cast<float>(d);
      }
      vertices.insert(BitsOf(p));
    } else if (line.rfind("f ", 0) == 0) {
      triangles += std::count(line.begin(), line.end(), ' ') - 2;
    }
  }
  ASSERT_GT(triangles, 10000u);

  const std::vector<std::array<float, 12>> stl = ReadStl(Save("mixed.stl"));
  EXPECT_EQ(stl.size(), triangles);
  size_t strangers = 0;
  for (const auto& facet : stl)
    for (int k = 3; k < 12; k += 3) strangers += !vertices.count(BitsOf(&facet[k]));
  EXPECT_EQ(strangers, 0u);

  const tinygltf::Model model = LoadGlb(Save("mixed.glb"));
  size_t glbTriangles = 0;
  for (const tinygltf::Mesh& mesh : model.meshes) {
    const tinygltf::Primitive& p = mesh.primitives.at(0);
    glbTriangles += model.accessors.at(p.indices).count / 3;
    const std::vector<float> positions = Values<float>(model, p.attributes.at("POSITION"));
    for (size_t k = 0; k + 2 < positions.size(); k += 3) strangers += !vertices.count(BitsOf(&positions[k]));
  }
  EXPECT_EQ(glbTriangles, triangles);
  EXPECT_EQ(strangers, 0u);
}

// Each solid alone: every STL facet's normal points away from the solid's
// middle, strips and fans included.
TEST_F(MeshExportTest, StlFacetsOfEveryShapeFaceOutwards) {
  for (const int kind : {kCube, kCylinder, kSphere}) {
    SCOPED_TRACE(kind);
    store.SetCount(0);
    Element3D& e = Add("solid", kind, 2, 3, -1, 0xFF0000);
    e.axy = 25;
    e.chamfer = kind == kCube ? 0.4 : 0;
    const std::vector<std::array<float, 12>> facets = ReadStl(Save("solid.stl"));
    ASSERT_GT(facets.size(), 10u);
    int inward = 0;
    for (const auto& facet : facets) {
      const float* f = facet.data();
      if (Dot(f, f) < 0.5) continue;  // a degenerate facet has no direction
      const float out[3] = {(f[3] + f[6] + f[9]) / 3 - 2, (f[4] + f[7] + f[10]) / 3 - 3, (f[5] + f[8] + f[11]) / 3 + 1};
      float winding[3];
      Cross(f + 3, f + 6, f + 9, winding);
      if (Dot(f, out) <= 0 || Dot(f, winding) <= 0) ++inward;
    }
    EXPECT_EQ(inward, 0);
  }
}

TEST_F(MeshExportTest, TextureNamesThatLeaveTheFolderEmbedNothing) {
  Add("plain", kCube, 0, 0, 0, 0xFF0000).texture.assign("texture2.jpg");
  Add("climber", kCube, 4, 0, 0, 0xFF0000).texture.assign("../TEX/texture1.jpeg");
  Add("control", kCube, 8, 0, 0, 0xFF0000).texture.assign("texture5\x01.jpeg");
  Add("backslash", kCube, 12, 0, 0, 0xFF0000).texture.assign("..\\TEX\\texture5.jpeg");
  const tinygltf::Model model = LoadGlb(Save("names.glb"));
  ASSERT_EQ(model.materials.size(), 4u);
  EXPECT_GE(model.materials[0].pbrMetallicRoughness.baseColorTexture.index, 0);
  for (size_t i = 1; i < 4; ++i)
    EXPECT_EQ(model.materials[i].pbrMetallicRoughness.baseColorTexture.index, -1) << model.materials[i].name;
  ASSERT_EQ(model.images.size(), 1u);
  EXPECT_EQ(model.images[0].mimeType, "image/jpeg");
}

// Elements with no size (as a file of one-byte records makes them) keep
// their object and material in every format, and add no geometry.
TEST_F(MeshExportTest, ElementsOfNoSizeExportNoGeometry) {
  for (const int kind : {kCube, kCylinder, kSphere, kPanel}) {
    Element3D& e = Add("nothing", kind, kind, 0, 0);
    e.dx = e.dy = e.dz = 0;
  }
  Element3D& needle = Add("needle", kCylinder, 5, 0, 0);  // a line: no area either
  needle.dx = needle.dz = 0;
  Add("box", kPanel, 8, 0, 0);
  const std::string obj = ReadAll(Save("none.obj"));
  size_t objects = 0, vertices = 0;
  for (size_t at = obj.find('\n'); at != std::string::npos; at = obj.find('\n', at + 1)) {
    objects += obj.compare(at + 1, 2, "o ") == 0;
    vertices += obj.compare(at + 1, 2, "v ") == 0;
  }
  EXPECT_EQ(objects, 6u);
  EXPECT_EQ(vertices, 24u);  // the panel's six faces alone
  const tinygltf::Model model = LoadGlb(Save("none.glb"));
  EXPECT_EQ(model.nodes.size(), 6u);
  EXPECT_EQ(model.meshes.size(), 1u);
  EXPECT_EQ(ReadStl(Save("none.stl")).size(), 12u);
}

// Neither an empty document nor a failed export leaves anything behind.
TEST_F(MeshExportTest, EmptyDocumentAndFailuresLeaveNoTraces) {
  // A temporary folder of the test's own: tests running beside it make
  // and remove their own recording folders in the shared one.
  const std::string temp = Path("tmp");
  fs::create_directories(temp);
  const char* oldTemp = std::getenv("TMPDIR");
  const std::string savedTemp = oldTemp ? oldTemp : "";
  setenv("TMPDIR", temp.c_str(), 1);
  struct Restore {
    bool had;
    std::string value;
    ~Restore() { had ? setenv("TMPDIR", value.c_str(), 1) : unsetenv("TMPDIR"); }
  } restore{oldTemp != nullptr, savedTemp};
  const auto exportFolders = [&] {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(temp))
      n += entry.path().filename().string().rfind("objetos3d-export-", 0) == 0;
    return n;
  };
  const int before = exportFolders();
  EXPECT_TRUE(LoadGlb(Save("empty.glb")).meshes.empty());
  EXPECT_TRUE(ReadStl(Save("empty.stl")).empty());
  Add("a", kCube);
  fs::create_directories(Path("taken.stl/inside"));
  for (const char* name : {"missing/x.glb", "taken.stl"})
    EXPECT_FALSE(SaveDocument(scene, Path(name), "").ok()) << name;
  EXPECT_TRUE(fs::exists(Path("taken.stl/inside")));
  EXPECT_TRUE(DrawingToGL());
  EXPECT_EQ(exportFolders(), before);
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"empty.glb", "empty.stl", "taken.stl", "tmp"}));
}
}  // namespace
