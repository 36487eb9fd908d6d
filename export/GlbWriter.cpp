#include "GlbWriter.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <map>

#include "EmbeddedImage.h"
#include "JsonText.h"
#include "ObjectMesh.h"
#include "common/PlainFileName.h"
#include "WholeFileWrite.h"

namespace {
static_assert(std::endian::native == std::endian::little, "GLB and the buffers are little-endian");

constexpr uint32_t kFloat = 5126, kUnsignedInt = 5125;
constexpr uint32_t kArrayBuffer = 34962, kElementArrayBuffer = 34963;

// The binary chunk and the JSON arrays that describe it, built side by side.
struct Builder {
  std::string bin;
  std::string bufferViews, accessors;
  int bufferViewCount = 0, accessorCount = 0;

  static void Separate(std::string& list) {
    if (!list.empty()) list += ',';
  }

  int AddBufferView(const void* data, size_t bytes, uint32_t target) {
    while (bin.size() % 4 != 0) bin += '\0';
    const size_t offset = bin.size();
    bin.append(static_cast<const char*>(data), bytes);
    Separate(bufferViews);
    bufferViews +=
        "{\"buffer\":0,\"byteOffset\":" + std::to_string(offset) + ",\"byteLength\":" + std::to_string(bytes);
    if (target != 0) bufferViews += ",\"target\":" + std::to_string(target);
    bufferViews += '}';
    return bufferViewCount++;
  }

  int AddAccessor(int view, uint32_t componentType, size_t count, const char* type, const float* min = nullptr,
                  const float* max = nullptr) {
    Separate(accessors);
    accessors += "{\"bufferView\":" + std::to_string(view) + ",\"componentType\":" + std::to_string(componentType) +
                 ",\"count\":" + std::to_string(count) + ",\"type\":\"" + type + '"';
    if (min && max) {
      accessors += ",\"min\":[";
      for (int i = 0; i < 3; ++i) {
        if (i) accessors += ',';
        AppendJsonNumber(accessors, min[i]);
      }
      accessors += "],\"max\":[";
      for (int i = 0; i < 3; ++i) {
        if (i) accessors += ',';
        AppendJsonNumber(accessors, max[i]);
      }
      accessors += ']';
    }
    accessors += '}';
    return accessorCount++;
  }
};

// One attribute of every vertex, packed.
template <size_t N>
std::vector<float> Column(const std::vector<MeshVertex>& vertices, const float (MeshVertex::*member)[N]) {
  std::vector<float> out;
  out.reserve(vertices.size() * N);
  for (const MeshVertex& v : vertices) out.insert(out.end(), (v.*member), (v.*member) + N);
  return out;
}

void AppendArray(std::string& json, const char* key, const std::string& items) {
  if (items.empty()) return;  // glTF forbids empty arrays
  json += ",\"";
  json += key;
  json += "\":[" + items + ']';
}
}  // namespace

float LinearFromDisplayed(float c) {
  if (!std::isfinite(c)) return 0;
  c = std::clamp(c, 0.0f, 1.0f);
  return c <= 0.04045f ? c / 12.92f : static_cast<float>(std::pow((c + 0.055) / 1.055, 2.4));
}

bool WriteGlb(const RecordedScene& scene, const std::string& path, const std::string& textureFolder,
              const std::vector<std::string>& sourceTextureNames, std::string& reason) {
  Builder b;
  std::string nodes, sceneNodes, meshes, materials, textures, images;
  std::map<std::string, int> textureOfFile;  // -1 = the file gives no image
  int meshCount = 0, textureCount = 0;

  for (size_t i = 0; i < scene.objects.size(); ++i) {
    const RecordedObject& object = scene.objects[i];
    // The material.
    int texture = -1;
    const bool allowed = IsPlainFileName(object.textureFile) &&
                         (i >= sourceTextureNames.size() || IsPlainFileName(sourceTextureNames[i]));
    if (allowed) {
      const auto known = textureOfFile.find(object.textureFile);
      if (known != textureOfFile.end()) {
        texture = known->second;
      } else {
        const EmbeddedImage image = LoadEmbeddedImage(textureFolder + "/" + object.textureFile);
        if (!image.bytes.empty()) {
          const int view = b.AddBufferView(image.bytes.data(), image.bytes.size(), 0);
          Builder::Separate(images);
          images += "{\"bufferView\":" + std::to_string(view) + ",\"mimeType\":\"" + image.mimeType + "\"}";
          Builder::Separate(textures);
          textures += "{\"sampler\":0,\"source\":" + std::to_string(textureCount) + '}';
          texture = textureCount++;
        }
        textureOfFile.emplace(object.textureFile, texture);
      }
    }
    Builder::Separate(materials);
    materials += "{\"name\":";
    AppendJsonString(materials, object.name);
    materials += ",\"pbrMetallicRoughness\":{\"baseColorFactor\":[";
    for (int k = 0; k < 3; ++k) {
      AppendJsonNumber(materials, LinearFromDisplayed(object.color[k]));
      materials += ',';
    }
    materials += "1]";
    if (texture >= 0) materials += ",\"baseColorTexture\":{\"index\":" + std::to_string(texture) + '}';
    materials += ",\"metallicFactor\":0,\"roughnessFactor\":0.6}}";

    // The node, with its mesh when the object has triangles.
    Builder::Separate(nodes);
    nodes += "{\"name\":";
    AppendJsonString(nodes, object.name);
    const ObjectMesh mesh = BuildObjectMesh(scene, object);
    if (!mesh.indices.empty()) {
      const size_t n = mesh.vertices.size();
      const std::vector<float> positions = Column(mesh.vertices, &MeshVertex::p);
      const std::vector<float> normals = Column(mesh.vertices, &MeshVertex::n);
      const int position = b.AddAccessor(b.AddBufferView(positions.data(), positions.size() * 4, kArrayBuffer), kFloat,
                                         n, "VEC3", mesh.min, mesh.max);
      const int normal =
          b.AddAccessor(b.AddBufferView(normals.data(), normals.size() * 4, kArrayBuffer), kFloat, n, "VEC3");
      int texCoord = -1;
      if (mesh.hasTexCoords) {
        const std::vector<float> uvs = Column(mesh.vertices, &MeshVertex::uv);
        texCoord = b.AddAccessor(b.AddBufferView(uvs.data(), uvs.size() * 4, kArrayBuffer), kFloat, n, "VEC2");
      }
      const int indices =
          b.AddAccessor(b.AddBufferView(mesh.indices.data(), mesh.indices.size() * 4, kElementArrayBuffer),
                        kUnsignedInt, mesh.indices.size(), "SCALAR");
      Builder::Separate(meshes);
      meshes += "{\"name\":";
      AppendJsonString(meshes, object.name);
      meshes += ",\"primitives\":[{\"attributes\":{\"POSITION\":" + std::to_string(position) +
                ",\"NORMAL\":" + std::to_string(normal);
      if (texCoord >= 0) meshes += ",\"TEXCOORD_0\":" + std::to_string(texCoord);
      meshes += "},\"indices\":" + std::to_string(indices) + ",\"material\":" + std::to_string(i) + "}]}";
      nodes += ",\"mesh\":" + std::to_string(meshCount++);
    }
    nodes += '}';
    Builder::Separate(sceneNodes);
    sceneNodes += std::to_string(i);
  }

  std::string json = "{\"asset\":{\"version\":\"2.0\",\"generator\":\"Objetos 3D\"},\"scene\":0,\"scenes\":[{";
  if (!sceneNodes.empty()) json += "\"nodes\":[" + sceneNodes + ']';
  json += "}]";
  AppendArray(json, "nodes", nodes);
  AppendArray(json, "meshes", meshes);
  AppendArray(json, "materials", materials);
  AppendArray(json, "textures", textures);
  if (!textures.empty())
    json += ",\"samplers\":[{\"magFilter\":9729,\"minFilter\":9987,\"wrapS\":10497,\"wrapT\":10497}]";
  AppendArray(json, "images", images);
  AppendArray(json, "accessors", b.accessors);
  AppendArray(json, "bufferViews", b.bufferViews);
  if (!b.bin.empty()) json += ",\"buffers\":[{\"byteLength\":" + std::to_string(b.bin.size()) + "}]";
  json += '}';
  while (json.size() % 4 != 0) json += ' ';
  while (b.bin.size() % 4 != 0) b.bin += '\0';

  const uint64_t total = 12 + 8 + json.size() + (b.bin.empty() ? 0 : 8 + b.bin.size());
  if (total > UINT32_MAX) {
    reason = "the scene is too large for a glTF binary file";
    return false;
  }
  const auto word = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  const std::string header = word(0x46546C67) + word(2) + word(static_cast<uint32_t>(total));
  const std::string jsonHeader = word(static_cast<uint32_t>(json.size())) + word(0x4E4F534A);
  const std::string binHeader = word(static_cast<uint32_t>(b.bin.size())) + word(0x004E4942);
  std::vector<std::string_view> pieces = {header, jsonHeader, json};
  if (!b.bin.empty()) {
    pieces.push_back(binHeader);
    pieces.push_back(b.bin);
  }
  return WriteWholeFile(path, pieces, reason);
}
