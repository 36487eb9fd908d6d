#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "FilePart.h"
#include "ObjectMesh.h"
#include "RecordedObject.h"
#include "common/BlockWriter.h"
#include "common/Outcome.h"
#include "common/SafeFiles.h"

// Builds one binary glTF 2.0 file from the recorded elements as they are
// drawn: a node and a mesh per element (named after it), positions, normals,
// texture coordinates, and a material per element with its base colour and,
// where its texture file lies in the texture folder, the image embedded.
//
// The file's header and JSON come first and need every length, so the
// scene is recorded twice: the first frame only measures each part of the
// file (each JSON array, the binary chunk); the file is then laid out, and
// the second frame writes each part straight to its place. Nothing of the
// scene is held between the two, and memory stays a few blocks whatever
// its size. The temporary file beside `path` is made at once, so a target
// that cannot be written fails before anything is drawn.
class GlbWriter final : public RecordedObjectSink {
 public:
  explicit GlbWriter(const std::string& path);
  ~GlbWriter() override;
  // Failed, naming the file, when the temporary file could not be made.
  Outcome Ready() const { return file_.ok() ? Outcome() : Outcome::Error(Outcome::Failed, file_.Error()); }

  void Restart() override;
  void Take(const RecordedObject& object) override;
  // The element's mesh (BuildObjectMesh) packed: its measure, then its
  // positions, normals, texture coordinates where it has them, and indices.
  void Prepare(RecordedObject& object) const override;
  std::shared_ptr<const MeshPattern> PatternOf(const RecordedObject& element) const override;
  // After the measuring frame: lays the file out and makes room for it on
  // the disk; the next frame writes. Failed (and why) when it cannot be.
  Outcome StartWriting();
  // After the writing frame: checks that it wrote what was measured, then
  // flushes the file and renames it over the path.
  Outcome Finish();

 private:
  enum Part { kSceneNodes, kNodes, kMeshes, kMaterials, kTextures, kImages, kAccessors, kBufferViews, kBin, kParts };
  struct Texture {
    int index = -1;  // -1: the file gives no image
    size_t bytes = 0;
    std::string mimeType;
  };

  int AddBufferView(const void* data, size_t bytes, uint32_t target);
  int AddAccessor(int view, uint32_t componentType, size_t count, const char* type, const float* min = nullptr,
                  const float* max = nullptr);
  int TextureOf(const std::string& path);
  bool CheckSize();
  void Separate(Part part);

  ReplacementFile file_;
  std::unique_ptr<BlockWriter> writer_;  // while writing
  FilePart parts_[kParts];               // the JSON arrays without their brackets, and the binary chunk
  uint64_t measured_[kParts] = {};
  uint64_t offsets_[kParts] = {};
  bool writing_ = false;
  bool changed_ = false;  // the second frame differed from the first
  int bufferViewCount_ = 0, accessorCount_ = 0, meshCount_ = 0, textureCount_ = 0;
  size_t objectCount_ = 0;
  std::unordered_map<std::string, Texture> textureOfFile_;  // as measured
  std::unordered_map<std::string, bool> textureWritten_;
  bool tooLarge_ = false;
};

// The colour of a material as glTF stores it: the drawn colour (0..1, as
// displayed) converted to linear light.
float LinearFromDisplayed(float component);
