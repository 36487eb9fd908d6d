#include "GlbWriter.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <exception>
#include <filesystem>
#include <system_error>

#include "EmbeddedImage.h"
#include "JsonText.h"
#include "common/TextureFolder.h"

namespace {
static_assert(std::endian::native == std::endian::little, "GLB and the buffers are little-endian");

constexpr uint32_t kFloat = 5126, kUnsignedInt = 5125;
constexpr uint32_t kArrayBuffer = 34962, kElementArrayBuffer = 34963;
constexpr char kTooLarge[] = "the scene is too large for a glTF binary file";
constexpr char kChanged[] = "the scene changed while it was exported";
// Parts go to the file in blocks of this size; a few are in flight.
constexpr size_t kPartBlock = size_t{1} << 20;

// One attribute of every vertex, packed at `to`; returns its end.
template <size_t N>
char* Column(const std::vector<MeshVertex>& vertices, const float (MeshVertex::*member)[N], char* to) {
  for (const MeshVertex& v : vertices) {
    std::memcpy(to, v.*member, sizeof(float) * N);
    to += sizeof(float) * N;
  }
  return to;
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

GlbWriter::GlbWriter(const std::string& path) : file_(path) {}

GlbWriter::~GlbWriter() {
  // The parts give their blocks back before the writer goes.
  for (FilePart& part : parts_) part.Measure();
}

void GlbWriter::Restart() {
  for (int k = 0; k < kParts; ++k)
    parts_[k].WriteTo(writing_ && measured_[k] > 0 ? writer_.get() : nullptr, offsets_[k]);
  if (!writing_) {
    textureOfFile_.clear();
    tooLarge_ = false;
  }
  textureWritten_.clear();
  bufferViewCount_ = accessorCount_ = meshCount_ = textureCount_ = 0;
  objectCount_ = 0;
}

void GlbWriter::Separate(Part part) {
  if (!parts_[part].empty()) parts_[part].Append(",");
}

// `data` is read only while writing: the measuring frame counts.
int GlbWriter::AddBufferView(const void* data, size_t bytes, uint32_t target) {
  FilePart& bin = parts_[kBin];
  bin.Pad(4);
  const uint64_t offset = bin.size();
  bin.Append(data, bytes);
  Separate(kBufferViews);
  FilePart& view = parts_[kBufferViews];
  view.Append("{\"buffer\":0,\"byteOffset\":");
  AppendJsonWhole(view, offset);
  view.Append(",\"byteLength\":");
  AppendJsonWhole(view, bytes);
  if (target != 0) {
    view.Append(",\"target\":");
    AppendJsonWhole(view, target);
  }
  view.Append("}");
  return bufferViewCount_++;
}

int GlbWriter::AddAccessor(int view, uint32_t componentType, size_t count, const char* type, const float* min,
                           const float* max) {
  Separate(kAccessors);
  FilePart& a = parts_[kAccessors];
  a.Append("{\"bufferView\":");
  AppendJsonWhole(a, static_cast<uint64_t>(view));
  a.Append(",\"componentType\":");
  AppendJsonWhole(a, componentType);
  a.Append(",\"count\":");
  AppendJsonWhole(a, count);
  a.Append(",\"type\":\"");
  a.Append(type);
  a.Append("\"");
  if (min && max) {
    for (const float* bound : {min, max}) {
      a.Append(bound == min ? ",\"min\":[" : "],\"max\":[");
      for (int i = 0; i < 3; ++i) {
        if (i) a.Append(",");
        AppendJsonNumber(a, bound[i]);
      }
    }
    a.Append("]");
  }
  a.Append("}");
  return accessorCount_++;
}

int GlbWriter::TextureOf(const std::string& path) {
  if (path.empty()) return -1;
  if (writing_) {
    // The image the measuring frame found, read again for its bytes once.
    const auto known = textureOfFile_.find(path);
    if (known == textureOfFile_.end()) {
      changed_ = true;
      return -1;
    }
    const Texture& measured = known->second;
    if (measured.index < 0 || !textureWritten_.emplace(path, true).second) return measured.index;
    const EmbeddedImage image = LiesInTextureFolder(path) ? LoadEmbeddedImage(path) : EmbeddedImage{};
    if (image.bytes.size() != measured.bytes || image.mimeType != measured.mimeType) {
      changed_ = true;  // the file changed between the frames
      return measured.index;
    }
    AddBufferView(image.bytes.data(), image.bytes.size(), 0);
  } else {
    const auto known = textureOfFile_.find(path);
    if (known != textureOfFile_.end()) return known->second.index;
    Texture texture;
    const EmbeddedImage image = LiesInTextureFolder(path) ? LoadEmbeddedImage(path) : EmbeddedImage{};
    if (!image.bytes.empty()) {
      texture.index = textureCount_;
      texture.bytes = image.bytes.size();
      texture.mimeType = image.mimeType;
      AddBufferView(image.bytes.data(), image.bytes.size(), 0);
    }
    textureOfFile_.emplace(path, texture);
    if (texture.index < 0) return -1;
  }
  const int view = bufferViewCount_ - 1;
  Separate(kImages);
  FilePart& image = parts_[kImages];
  image.Append("{\"bufferView\":");
  AppendJsonWhole(image, static_cast<uint64_t>(view));
  image.Append(",\"mimeType\":\"");
  image.Append(textureOfFile_[path].mimeType);
  image.Append("\"}");
  Separate(kTextures);
  FilePart& texture = parts_[kTextures];
  texture.Append("{\"sampler\":0,\"source\":");
  AppendJsonWhole(texture, static_cast<uint64_t>(textureCount_));
  texture.Append("}");
  return textureCount_++;
}

// A file past glTF's 4 GB is refused as soon as it would be: the rest of
// the frame is not even measured.
bool GlbWriter::CheckSize() {
  if (tooLarge_) return false;
  uint64_t total = 0;
  for (const FilePart& part : parts_) total += part.size();
  if (total + 4096 <= UINT32_MAX) return true;
  tooLarge_ = true;
  return false;
}

std::shared_ptr<const MeshPattern> GlbWriter::PatternOf(const RecordedObject& element) const {
  auto pattern = std::make_shared<MeshPattern>();
  if (!MakeMeshPattern(element, *pattern)) return nullptr;
  return pattern;
}

namespace {
// What Prepare packs of a mesh: its measure, then its positions, normals,
// texture coordinates where it has them, and indices.
size_t PackedBytes(const MeshMeasure& m) {
  return sizeof m + m.vertexCount * (m.hasTexCoords ? 32 : 24) + m.indexCount * 4;
}

// The element's mesh as its shape's pattern makes it (FollowsPattern),
// packed as Prepare packs it: only the positions and their bounds are the
// element's own.
void PackByPattern(const RecordedObject& object, const MeshPattern& pattern, std::string& out) {
  MeshMeasure m;
  m.vertexCount = pattern.vertexCorner.size();
  m.indexCount = pattern.indices.size();
  m.hasTexCoords = pattern.hasTexCoords;
  const size_t n = m.vertexCount;
  out.resize(PackedBytes(m));
  char* to = out.data() + sizeof m;
  for (size_t v = 0; v < n; ++v) {
    const float* p = object.corners[pattern.vertexCorner[v]].p;
    if (v == 0) {
      std::copy_n(p, 3, m.min);
      std::copy_n(p, 3, m.max);
    }
    for (int i = 0; i < 3; ++i) {  // as BuildObjectMesh bounds them, vertex by vertex
      m.min[i] = std::min(m.min[i], p[i]);
      m.max[i] = std::max(m.max[i], p[i]);
    }
    std::memcpy(to, p, 12);
    to += 12;
  }
  if (n > 0) {  // (no copy from an empty vector's null data)
    std::memcpy(to, pattern.normals.data(), n * 12);
    to += n * 12;
    if (m.hasTexCoords) {
      std::memcpy(to, pattern.texCoords.data(), n * 8);
      to += n * 8;
    }
  }
  if (m.indexCount > 0) std::memcpy(to, pattern.indices.data(), m.indexCount * 4);
  std::memcpy(out.data(), &m, sizeof m);
}
}  // namespace

void GlbWriter::Prepare(RecordedObject& object) const {
  if (object.pattern && FollowsPattern(object, *object.pattern))
    return PackByPattern(object, *object.pattern, object.bytes);
  ObjectMesh mesh;
  BuildObjectMesh(object, mesh);
  MeshMeasure m;
  m.vertexCount = mesh.vertices.size();
  m.indexCount = mesh.indices.size();
  m.hasTexCoords = mesh.hasTexCoords;
  std::copy_n(mesh.min, 3, m.min);
  std::copy_n(mesh.max, 3, m.max);
  std::string& out = object.bytes;
  out.resize(PackedBytes(m));
  std::memcpy(out.data(), &m, sizeof m);
  char* to = Column(mesh.vertices, &MeshVertex::p, out.data() + sizeof m);
  to = Column(mesh.vertices, &MeshVertex::n, to);
  if (m.hasTexCoords) to = Column(mesh.vertices, &MeshVertex::uv, to);
  if (m.indexCount > 0) std::memcpy(to, mesh.indices.data(), m.indexCount * 4);
}

void GlbWriter::Take(const RecordedObject& object) {
  if (!CheckSize()) return;
  const size_t i = objectCount_++;
  // The material.
  const int texture = TextureOf(object.texturePath);
  Separate(kMaterials);
  FilePart& material = parts_[kMaterials];
  material.Append("{\"name\":");
  AppendJsonString(material, object.name);
  material.Append(",\"pbrMetallicRoughness\":{\"baseColorFactor\":[");
  for (int k = 0; k < 3; ++k) {
    AppendJsonNumber(material, LinearFromDisplayed(object.color[k]));
    material.Append(",");
  }
  material.Append("1]");
  if (texture >= 0) {
    material.Append(",\"baseColorTexture\":{\"index\":");
    AppendJsonWhole(material, static_cast<uint64_t>(texture));
    material.Append("}");
  }
  material.Append(",\"metallicFactor\":0,\"roughnessFactor\":0.6}}");

  // The mesh, when the element has triangles. The measuring frame needs
  // only its counts and bounds, not its vertices.
  MeshMeasure m = object.measure;  // a measuring frame's element (MeshCanvas::Pass::Measure)
  const char* packed = nullptr;    // the writing frame's element, as Prepare packed it
  if (writing_) {
    std::memcpy(&m, object.bytes.data(), sizeof m);
    packed = object.bytes.data() + sizeof m;
  }
  const bool hasMesh = m.indexCount > 0;
  if (hasMesh) {
    const size_t n = m.vertexCount;
    // The next packed column (read only while writing).
    const auto view = [&](size_t bytes, uint32_t target) {
      const char* data = packed;
      if (writing_) packed += bytes;
      return AddBufferView(data, bytes, target);
    };
    const int position = AddAccessor(view(n * 12, kArrayBuffer), kFloat, n, "VEC3", m.min, m.max);
    const int normal = AddAccessor(view(n * 12, kArrayBuffer), kFloat, n, "VEC3");
    int texCoord = -1;
    if (m.hasTexCoords) texCoord = AddAccessor(view(n * 8, kArrayBuffer), kFloat, n, "VEC2");
    const int indices = AddAccessor(view(m.indexCount * 4, kElementArrayBuffer), kUnsignedInt, m.indexCount, "SCALAR");
    Separate(kMeshes);
    FilePart& mesh = parts_[kMeshes];
    mesh.Append("{\"name\":");
    AppendJsonString(mesh, object.name);
    mesh.Append(",\"primitives\":[{\"attributes\":{\"POSITION\":");
    AppendJsonWhole(mesh, static_cast<uint64_t>(position));
    mesh.Append(",\"NORMAL\":");
    AppendJsonWhole(mesh, static_cast<uint64_t>(normal));
    if (texCoord >= 0) {
      mesh.Append(",\"TEXCOORD_0\":");
      AppendJsonWhole(mesh, static_cast<uint64_t>(texCoord));
    }
    mesh.Append("},\"indices\":");
    AppendJsonWhole(mesh, static_cast<uint64_t>(indices));
    mesh.Append(",\"material\":");
    AppendJsonWhole(mesh, i);
    mesh.Append("}]}");
  }

  // The node, with its mesh.
  Separate(kNodes);
  FilePart& node = parts_[kNodes];
  node.Append("{\"name\":");
  AppendJsonString(node, object.name);
  if (hasMesh) {
    node.Append(",\"mesh\":");
    AppendJsonWhole(node, static_cast<uint64_t>(meshCount_++));
  }
  node.Append("}");
  Separate(kSceneNodes);
  AppendJsonWhole(parts_[kSceneNodes], i);
}

Outcome GlbWriter::StartWriting() {
  if (!CheckSize()) return Outcome::Error(Outcome::Failed, kTooLarge);
  for (int k = 0; k < kParts; ++k) measured_[k] = parts_[k].size();
  // The JSON in order: texts made here, and the parts by their measure.
  struct Piece {
    std::string text;
    int part = -1;
  };
  std::vector<Piece> json;
  const auto text = [&](std::string t) { json.push_back({std::move(t), -1}); };
  const auto array = [&](const char* key, Part part) {
    if (measured_[part] == 0) return;  // glTF forbids empty arrays
    text(std::string(",\"") + key + "\":[");
    json.push_back({{}, part});
    text("]");
  };
  text("{\"asset\":{\"version\":\"2.0\",\"generator\":\"Objetos 3D\"},\"scene\":0,\"scenes\":[{");
  if (measured_[kSceneNodes] > 0) {
    text("\"nodes\":[");
    json.push_back({{}, kSceneNodes});
    text("]");
  }
  text("}]");
  array("nodes", kNodes);
  array("meshes", kMeshes);
  array("materials", kMaterials);
  array("textures", kTextures);
  if (measured_[kTextures] > 0)
    text(",\"samplers\":[{\"magFilter\":9729,\"minFilter\":9987,\"wrapS\":10497,\"wrapT\":10497}]");
  array("images", kImages);
  array("accessors", kAccessors);
  array("bufferViews", kBufferViews);
  const uint64_t binBytes = measured_[kBin];
  if (binBytes > 0) text(",\"buffers\":[{\"byteLength\":" + std::to_string(binBytes) + "}]");
  text("}");
  uint64_t jsonSize = 0;
  for (const Piece& piece : json) jsonSize += piece.part >= 0 ? measured_[piece.part] : piece.text.size();
  text(std::string((4 - jsonSize % 4) % 4, ' '));
  jsonSize += json.back().text.size();
  const uint64_t paddedBin = (binBytes + 3) / 4 * 4;

  const uint64_t total = 12 + 8 + jsonSize + (binBytes == 0 ? 0 : 8 + paddedBin);
  if (total > UINT32_MAX) return Outcome::Error(Outcome::Failed, kTooLarge);
  const auto word = [](uint64_t v) {
    const auto w = static_cast<uint32_t>(v);
    return std::string(reinterpret_cast<const char*>(&w), 4);
  };
  std::vector<Piece> file;
  file.push_back({word(0x46546C67) + word(2) + word(total) + word(jsonSize) + word(0x4E4F534A)});
  file.insert(file.end(), json.begin(), json.end());
  if (binBytes > 0) file.push_back({word(paddedBin) + word(0x004E4942)});
  if (!file_.Reserve(total)) return Outcome::Error(Outcome::Failed, file_.Error());
  try {
    writer_ = std::make_unique<BlockWriter>(file_, kParts + 3, kPartBlock);
  } catch (const std::exception&) {  // no memory for its blocks, or no thread
    return Outcome::Error(Outcome::Failed, "not enough memory to write it");
  }
  // The texts go now; each part fills its place during the next frame.
  uint64_t at = 0;
  FilePart fixed;
  for (const Piece& piece : file) {
    if (piece.part >= 0) {
      offsets_[piece.part] = at;
      at += measured_[piece.part];
      continue;
    }
    fixed.WriteTo(writer_.get(), at);
    fixed.Append(piece.text);
    fixed.Flush();
    at += piece.text.size();
  }
  offsets_[kBin] = at;
  fixed.Measure();
  writing_ = true;
  return {};
}

Outcome GlbWriter::Finish() {
  if (!writing_ || !writer_) return Outcome::Error(Outcome::Failed, kChanged);
  for (FilePart& part : parts_) part.Flush();
  // The padding after the binary chunk's last view.
  parts_[kBin].Pad(4);
  parts_[kBin].Flush();
  const bool written = writer_->Drain();
  bool same = !changed_ && !tooLarge_;
  for (int k = 0; k < kParts; ++k)
    if (parts_[k].size() != (k == kBin ? (measured_[k] + 3) / 4 * 4 : measured_[k])) same = false;
  for (FilePart& part : parts_) part.Measure();
  writer_.reset();
  if (!written || !file_.ok()) return Outcome::Error(Outcome::Failed, file_.Error());
  if (!same) return Outcome::Error(Outcome::Failed, kChanged);
  if (file_.Commit()) return {};
  return Outcome::Error(Outcome::Failed, file_.Error());
}
