// glTF binary and STL exports drawn on a headless surface, read back by
// tinygltf and assimp and held against the OBJ export of the same scene.
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>
#include <tiny_gltf.h>
#include <tiny_obj_loader.h>

#include <QImage>
#include <assimp/Importer.hpp>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "common/DataPath.h"
#include "document/Element3D.h"
#include "common/TIMem32.h"
#include "export/GlbWriter.h"
#include "export/ObjExport.h"
#include "gl/DocumentSave.h"
#include "gl/SceneFrame.h"
#include "gl/Textures.h"
#include "gl/ViewPresets.h"
#include "tests/gl/SceneFixture.h"

namespace {
namespace fs = std::filesystem;
using Point = std::array<long, 3>;  // a position in units of 1e-4

Point Key(double x, double y, double z) { return {std::lround(x * 1e4), std::lround(y * 1e4), std::lround(z * 1e4)}; }

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The floats of a tightly packed accessor.
std::vector<float> Floats(const tinygltf::Model& m, int accessor) {
  const tinygltf::Accessor& a = m.accessors.at(accessor);
  const tinygltf::BufferView& v = m.bufferViews.at(a.bufferView);
  const int n = tinygltf::GetNumComponentsInType(a.type);
  EXPECT_EQ(a.componentType, TINYGLTF_COMPONENT_TYPE_FLOAT);
  const float* data = reinterpret_cast<const float*>(m.buffers.at(v.buffer).data.data() + v.byteOffset + a.byteOffset);
  return std::vector<float>(data, data + a.count * n);
}

std::vector<uint32_t> Indices(const tinygltf::Model& m, int accessor) {
  const tinygltf::Accessor& a = m.accessors.at(accessor);
  const tinygltf::BufferView& v = m.bufferViews.at(a.bufferView);
  EXPECT_EQ(a.componentType, TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT);
  const auto* data =
      reinterpret_cast<const uint32_t*>(m.buffers.at(v.buffer).data.data() + v.byteOffset + a.byteOffset);
  return std::vector<uint32_t>(data, data + a.count);
}

tinygltf::Model LoadGlb(const std::string& path) {
  tinygltf::TinyGLTF loader;
  tinygltf::Model model;
  std::string error, warning;
  EXPECT_TRUE(loader.LoadBinaryFromFile(&model, &error, &warning, path)) << error;
  EXPECT_EQ(error, "");
  return model;
}

double Dot(const float* a, const float* b) { return double(a[0]) * b[0] + double(a[1]) * b[1] + double(a[2]) * b[2]; }

void Cross(const float* a, const float* b, const float* c, float* out) {
  const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]}, w[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
  out[0] = u[1] * w[2] - u[2] * w[1];
  out[1] = u[2] * w[0] - u[0] * w[2];
  out[2] = u[0] * w[1] - u[1] * w[0];
}

class MeshExportTest : public SceneFixture {
 protected:
  void SetUp() override {
    SceneFixture::SetUp();
    folder = MakeTempFolder("meshexport");
    ClearTextureCache();
  }
  // Every kind of shape, turned and not, textured with a JPEG and a BMP,
  // one hidden, names with Latin-1 letters and JSON's special characters.
  void AddMixedScene() {
    Element3D& cube = Add("caixa \xE7\xE3o", kCube, 1, 2, 3, 0x0000FF);
    cube.chamfer = 0.3;
    cube.texture.assign("texture1.jpeg");
    Element3D& cylinder = Add("rolo \"a\\b\"\t", kCylinder, -4, 1, 0, 0x00FF00);
    cylinder.topPercent = 60;
    cylinder.axy = 30;
    cylinder.ayz = 45;
    Add("escondido", kCube, 9, 9, 9, 0xFFFFFF).invisible = 1;
    Element3D& sphere = Add("bola", kSphere, 0, 5, -3, 0x336699);
    sphere.texture.assign("texture3.bmp");
    Element3D& panel = Add("painel", kPanel, 6, 0, 2, 0x808080);
    panel.axz = 20;
  }
  std::string Save(const std::string& name) {
    const std::string path = folder + "/" + name;
    const DocumentResult r = SaveDocument(scene, path, "");
    EXPECT_TRUE(r.ok()) << name << ": " << r.reason;
    return path;
  }
  std::string folder;
};

TEST_F(MeshExportTest, GlbCarriesTheObjGeometryNamesAndMaterials) {
  AddMixedScene();
  const std::string obj = Save("scene.obj");
  const tinygltf::Model model = LoadGlb(Save("scene.glb"));

  tinyobj::attrib_t attrib;
  std::vector<tinyobj::shape_t> shapes;
  std::vector<tinyobj::material_t> materials;
  std::string warning, error;
  ASSERT_TRUE(tinyobj::LoadObj(&attrib, &shapes, &materials, &warning, &error, obj.c_str(), folder.c_str()));
  ASSERT_EQ(shapes.size(), 4u);  // the hidden element is not drawn

  ASSERT_EQ(model.scenes.size(), 1u);
  ASSERT_EQ(model.scenes[0].nodes.size(), 4u);
    // Control characters reach neither file: the OBJ writes them as "_".
  const char* const names[] = {"caixa \xC3\xA7\xC3\xA3o", "rolo \"a\\b\"_", "bola", "painel"};
  const uint32_t colors[] = {0x0000FF, 0x00FF00, 0x336699, 0x808080};
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
    const std::vector<float> positions = Floats(model, p.attributes.at("POSITION"));
    for (size_t k = 0; k + 2 < positions.size(); k += 3)
      fromGlb.insert(Key(positions[k], positions[k + 1], positions[k + 2]));
    EXPECT_EQ(fromGlb, fromObj);
    const std::vector<uint32_t> indices = Indices(model, p.indices);
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
    const std::vector<float> normals = Floats(model, p.attributes.at("NORMAL"));
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
    const double displayed[3] = {(colors[i] & 0xFF) / 255.0, ((colors[i] >> 8) & 0xFF) / 255.0,
                                 (colors[i] >> 16) / 255.0};
    for (int c = 0; c < 3; ++c) {
      const double d = displayed[c];
      EXPECT_NEAR(factor[c], d <= 0.04045 ? d / 12.92 : std::pow((d + 0.055) / 1.055, 2.4), 1e-4);
    }
    EXPECT_EQ(factor[3], 1.0);
  }

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
  ASSERT_FALSE(bmp.isNull());
  EXPECT_EQ(png.width, bmp.width());
  EXPECT_EQ(png.height, bmp.height());
  // The textured elements carry texture coordinates.
  EXPECT_TRUE(model.meshes[model.nodes[0].mesh].primitives[0].attributes.count("TEXCOORD_0"));
}

TEST_F(MeshExportTest, AssimpReadsBothFilesAndStlNormalsFaceOutwards) {
  AddMixedScene();
  const tinygltf::Model model = LoadGlb(Save("scene.glb"));
  const std::string stl = Save("scene.stl");
  size_t glbTriangles = 0;
  for (const tinygltf::Mesh& mesh : model.meshes) glbTriangles += model.accessors[mesh.primitives[0].indices].count / 3;

  Assimp::Importer importer;
  const aiScene* fromGlb = importer.ReadFile(folder + "/scene.glb", 0);
  ASSERT_NE(fromGlb, nullptr) << importer.GetErrorString();
  EXPECT_EQ(fromGlb->mNumMeshes, 4u);
  EXPECT_GE(fromGlb->mNumMaterials, 4u);
  size_t faces = 0;
  for (unsigned m = 0; m < fromGlb->mNumMeshes; ++m) faces += fromGlb->mMeshes[m]->mNumFaces;
  EXPECT_EQ(faces, glbTriangles);

  Assimp::Importer stlImporter;
  const aiScene* fromStl = stlImporter.ReadFile(stl, 0);
  ASSERT_NE(fromStl, nullptr) << stlImporter.GetErrorString();
  EXPECT_EQ(fs::file_size(stl), 84 + 50 * glbTriangles);
  size_t stlFaces = 0;
  aiVector3D low(1e9f, 1e9f, 1e9f), high(-1e9f, -1e9f, -1e9f);
  for (unsigned m = 0; m < fromStl->mNumMeshes; ++m) {
    const aiMesh* mesh = fromStl->mMeshes[m];
    stlFaces += mesh->mNumFaces;
    for (unsigned v = 0; v < mesh->mNumVertices; ++v) {
      const aiVector3D& p = mesh->mVertices[v];
      low = aiVector3D(std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z));
      high = aiVector3D(std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z));
    }
  }
  EXPECT_EQ(stlFaces, glbTriangles);
  // The same extent as the glTF meshes together.
  for (int axis = 0; axis < 3; ++axis) {
    double glbLow = 1e9, glbHigh = -1e9;
    for (const tinygltf::Mesh& mesh : model.meshes) {
      const tinygltf::Accessor& a = model.accessors[mesh.primitives[0].attributes.at("POSITION")];
      glbLow = std::min(glbLow, a.minValues[axis]);
      glbHigh = std::max(glbHigh, a.maxValues[axis]);
    }
    EXPECT_FLOAT_EQ(low[axis], glbLow);
    EXPECT_FLOAT_EQ(high[axis], glbHigh);
  }
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
    const std::string bytes = ReadAll(Save("solid.stl"));
    ASSERT_GE(bytes.size(), 84u);
    uint32_t count = 0;
    std::memcpy(&count, bytes.data() + 80, 4);
    ASSERT_EQ(bytes.size(), 84 + 50ull * count);
    ASSERT_GT(count, 10u);
    EXPECT_NE(bytes.compare(0, 5, "solid"), 0);  // would read as a text STL
    int inward = 0;
    for (uint32_t t = 0; t < count; ++t) {
      float f[12];
      std::memcpy(f, bytes.data() + 84 + 50 * t, sizeof f);
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

TEST_F(MeshExportTest, EmptyDocumentAndFailuresLeaveNoTraces) {
  const auto exportFolders = [] {
    int n = 0;
    for (const auto& entry : fs::directory_iterator(fs::temp_directory_path()))
      n += entry.path().filename().string().rfind("objetos3d-export-", 0) == 0;
    return n;
  };
  const int before = exportFolders();
  // An empty document is a valid, empty scene.
  const tinygltf::Model empty = LoadGlb(Save("empty.glb"));
  EXPECT_TRUE(empty.meshes.empty());
  EXPECT_EQ(ReadAll(Save("empty.stl")).size(), 84u);

  Add("a", kCube, 0, 0, 0, 0xFF);
  EXPECT_FALSE(SaveDocument(scene, folder + "/missing/x.glb", "").ok());
  // A folder where the file should go is not replaced.
  fs::create_directories(folder + "/taken.stl/inside");
  const DocumentResult r = SaveDocument(scene, folder + "/taken.stl", "");
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.reason.find("folder"), std::string::npos) << r.reason;
  EXPECT_TRUE(fs::exists(folder + "/taken.stl/inside"));
  EXPECT_FALSE(ExportActive());
  EXPECT_EQ(exportFolders(), before);
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == "empty.glb" || name == "empty.stl" || name == "taken.stl") << name;
  }
}
}  // namespace
