#include "GlbWriter.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <deque>
#include <filesystem>
#include <system_error>

#include "EmbeddedImage.h"
#include "JsonText.h"
#include "WholeFileWrite.h"
#include "common/TextureFolder.h"

namespace {
static_assert(std::endian::native == std::endian::little, "GLB and the buffers are little-endian");

constexpr uint32_t kFloat = 5126, kUnsignedInt = 5125;
constexpr uint32_t kArrayBuffer = 34962, kElementArrayBuffer = 34963;
constexpr char kTooLarge[] = "the scene is too large for a glTF binary file";

void Separate(ChunkedBytes& list) {
  if (!list.empty()) list.Append(",");
}

// One attribute of every vertex, packed.
template <size_t N>
void Column(const std::vector<MeshVertex>& vertices, const float (MeshVertex::*member)[N], std::vector<float>& out) {
  out.resize(vertices.size() * N);
  float* to = out.data();
  for (const MeshVertex& v : vertices) to = std::copy_n(v.*member, N, to);
}

// A texture is embedded only from where it really lies in the texture
// folder: a link that leads out of the folder gives no image.
bool LiesInTextureFolder(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path file = fs::canonical(path, ec);
  if (ec) return false;
  const fs::path folder = fs::canonical(TextureFolder(), ec);
  return !ec && file.parent_path() == folder;
}
}  // namespace

float LinearFromDisplayed(float c) {
  if (!std::isfinite(c)) return 0;
  c = std::clamp(c, 0.0f, 1.0f);
  return c <= 0.04045f ? c / 12.92f : static_cast<float>(std::pow((c + 0.055) / 1.055, 2.4));
}

void GlbWriter::Restart() { *this = GlbWriter{}; }

int GlbWriter::AddBufferView(const void* data, size_t bytes, uint32_t target) {
  bin_.Pad(4);
  const size_t offset = bin_.size();
  bin_.Append(data, bytes);
  Separate(bufferViews_);
  std::string view =
      "{\"buffer\":0,\"byteOffset\":" + std::to_string(offset) + ",\"byteLength\":" + std::to_string(bytes);
  if (target != 0) view += ",\"target\":" + std::to_string(target);
  view += '}';
  bufferViews_.Append(view);
  return bufferViewCount_++;
}

int GlbWriter::AddAccessor(int view, uint32_t componentType, size_t count, const char* type, const float* min,
                           const float* max) {
  Separate(accessors_);
  std::string a = "{\"bufferView\":" + std::to_string(view) + ",\"componentType\":" + std::to_string(componentType) +
                  ",\"count\":" + std::to_string(count) + ",\"type\":\"" + type + '"';
  if (min && max) {
    a += ",\"min\":[";
    for (int i = 0; i < 3; ++i) {
      if (i) a += ',';
      AppendJsonNumber(a, min[i]);
    }
    a += "],\"max\":[";
    for (int i = 0; i < 3; ++i) {
      if (i) a += ',';
      AppendJsonNumber(a, max[i]);
    }
    a += ']';
  }
  a += '}';
  accessors_.Append(a);
  return accessorCount_++;
}

int GlbWriter::TextureOf(const std::string& path) {
  if (path.empty()) return -1;
  const auto known = textureOfFile_.find(path);
  if (known != textureOfFile_.end()) return known->second;
  int texture = -1;
  const EmbeddedImage image = LiesInTextureFolder(path) ? LoadEmbeddedImage(path) : EmbeddedImage{};
  if (!image.bytes.empty()) {
    const int view = AddBufferView(image.bytes.data(), image.bytes.size(), 0);
    Separate(images_);
    images_.Append("{\"bufferView\":" + std::to_string(view) + ",\"mimeType\":\"" + image.mimeType + "\"}");
    Separate(textures_);
    textures_.Append("{\"sampler\":0,\"source\":" + std::to_string(textureCount_) + '}');
    texture = textureCount_++;
  }
  textureOfFile_.emplace(path, texture);
  return texture;
}

// A file past glTF's 4 GB is refused as soon as it would be: what was built
// is let go instead of growing further.
bool GlbWriter::CheckSize() {
  if (tooLarge_) return false;
  const uint64_t json = bufferViews_.size() + accessors_.size() + nodes_.size() + sceneNodes_.size() +
                        meshes_.size() + materials_.size() + textures_.size() + images_.size();
  if (bin_.size() + json + 4096 <= UINT32_MAX) return true;
  Restart();
  tooLarge_ = true;
  return false;
}

void GlbWriter::Take(const RecordedObject& object) {
  if (!CheckSize()) return;
  const size_t i = objectCount_++;
  // The material.
  const int texture = TextureOf(object.texturePath);
  std::string material = "{\"name\":";
  AppendJsonString(material, object.name);
  material += ",\"pbrMetallicRoughness\":{\"baseColorFactor\":[";
  for (int k = 0; k < 3; ++k) {
    AppendJsonNumber(material, LinearFromDisplayed(object.color[k]));
    material += ',';
  }
  material += "1]";
  if (texture >= 0) material += ",\"baseColorTexture\":{\"index\":" + std::to_string(texture) + '}';
  material += ",\"metallicFactor\":0,\"roughnessFactor\":0.6}}";
  Separate(materials_);
  materials_.Append(material);

  // The node, with its mesh when the element has triangles.
  std::string node = "{\"name\":";
  AppendJsonString(node, object.name);
  BuildObjectMesh(object, mesh_);
  if (!mesh_.indices.empty()) {
    const size_t n = mesh_.vertices.size();
    Column(mesh_.vertices, &MeshVertex::p, column_);
    const int position = AddAccessor(AddBufferView(column_.data(), column_.size() * 4, kArrayBuffer), kFloat, n,
                                     "VEC3", mesh_.min, mesh_.max);
    Column(mesh_.vertices, &MeshVertex::n, column_);
    const int normal = AddAccessor(AddBufferView(column_.data(), column_.size() * 4, kArrayBuffer), kFloat, n, "VEC3");
    int texCoord = -1;
    if (mesh_.hasTexCoords) {
      Column(mesh_.vertices, &MeshVertex::uv, column_);
      texCoord = AddAccessor(AddBufferView(column_.data(), column_.size() * 4, kArrayBuffer), kFloat, n, "VEC2");
    }
    const int indices =
        AddAccessor(AddBufferView(mesh_.indices.data(), mesh_.indices.size() * 4, kElementArrayBuffer), kUnsignedInt,
                    mesh_.indices.size(), "SCALAR");
    std::string mesh = "{\"name\":";
    AppendJsonString(mesh, object.name);
    mesh += ",\"primitives\":[{\"attributes\":{\"POSITION\":" + std::to_string(position) +
            ",\"NORMAL\":" + std::to_string(normal);
    if (texCoord >= 0) mesh += ",\"TEXCOORD_0\":" + std::to_string(texCoord);
    mesh += "},\"indices\":" + std::to_string(indices) + ",\"material\":" + std::to_string(i) + "}]}";
    Separate(meshes_);
    meshes_.Append(mesh);
    node += ",\"mesh\":" + std::to_string(meshCount_++);
  }
  node += '}';
  Separate(nodes_);
  nodes_.Append(node);
  Separate(sceneNodes_);
  sceneNodes_.Append(std::to_string(i));
}

bool GlbWriter::Write(const std::string& path, std::string& reason) {
  if (!CheckSize()) {
    reason = kTooLarge;
    return false;
  }
  // The JSON as pieces: the arrays stay where they were built. Short texts
  // live in a deque, whose elements never move.
  std::deque<std::string> texts;
  std::vector<std::string_view> json;
  const auto text = [&](std::string t) { json.push_back(texts.emplace_back(std::move(t))); };
  const auto array = [&](const char* key, const ChunkedBytes& items) {
    if (items.empty()) return;  // glTF forbids empty arrays
    text(std::string(",\"") + key + "\":[");
    items.AppendPieces(json);
    text("]");
  };
  text("{\"asset\":{\"version\":\"2.0\",\"generator\":\"Objetos 3D\"},\"scene\":0,\"scenes\":[{");
  if (!sceneNodes_.empty()) {
    text("\"nodes\":[");
    sceneNodes_.AppendPieces(json);
    text("]");
  }
  text("}]");
  array("nodes", nodes_);
  array("meshes", meshes_);
  array("materials", materials_);
  array("textures", textures_);
  if (!textures_.empty())
    text(",\"samplers\":[{\"magFilter\":9729,\"minFilter\":9987,\"wrapS\":10497,\"wrapT\":10497}]");
  array("images", images_);
  array("accessors", accessors_);
  array("bufferViews", bufferViews_);
  if (!bin_.empty()) text(",\"buffers\":[{\"byteLength\":" + std::to_string(bin_.size()) + "}]");
  text("}");
  size_t jsonSize = 0;
  for (const std::string_view piece : json) jsonSize += piece.size();
  text(std::string((4 - jsonSize % 4) % 4, ' '));
  jsonSize += json.back().size();
  bin_.Pad(4);

  const uint64_t total = 12 + 8 + jsonSize + (bin_.empty() ? 0 : 8 + bin_.size());
  if (total > UINT32_MAX) {
    reason = kTooLarge;
    return false;
  }
  const auto word = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  const std::string header = word(0x46546C67) + word(2) + word(static_cast<uint32_t>(total));
  const std::string jsonHeader = word(static_cast<uint32_t>(jsonSize)) + word(0x4E4F534A);
  const std::string binHeader = word(static_cast<uint32_t>(bin_.size())) + word(0x004E4942);
  std::vector<std::string_view> pieces = {header, jsonHeader};
  pieces.insert(pieces.end(), json.begin(), json.end());
  if (!bin_.empty()) {
    pieces.push_back(binHeader);
    bin_.AppendPieces(pieces);
  }
  return WriteWholeFile(path, pieces, reason);
}
