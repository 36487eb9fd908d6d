#pragma once
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "ChunkedBytes.h"
#include "ObjectMesh.h"
#include "RecordedObject.h"

// Builds one binary glTF 2.0 file from the recorded elements as they are
// drawn: a node and a mesh per element (named after it), positions, normals,
// texture coordinates, and a material per element with its base colour and,
// where its texture file lies in the texture folder, the image embedded.
// Only the file's own bytes are held (its header needs every length); each
// element's geometry goes as soon as it is converted.
class GlbWriter final : public RecordedObjectSink {
 public:
  void Restart() override;
  void Take(const RecordedObject& object) override;
  // Writes what was taken whole under a temporary name, renamed over `path`.
  bool Write(const std::string& path, std::string& reason);

 private:
  int AddBufferView(const void* data, size_t bytes, uint32_t target);
  int AddAccessor(int view, uint32_t componentType, size_t count, const char* type, const float* min = nullptr,
                  const float* max = nullptr);
  int TextureOf(const std::string& path);
  bool CheckSize();

  ChunkedBytes bin_;
  // The JSON arrays, without their brackets.
  ChunkedBytes bufferViews_, accessors_, nodes_, sceneNodes_, meshes_, materials_, textures_, images_;
  int bufferViewCount_ = 0, accessorCount_ = 0, meshCount_ = 0, textureCount_ = 0;
  size_t objectCount_ = 0;
  std::unordered_map<std::string, int> textureOfFile_;  // -1 = the file gives no image
  bool tooLarge_ = false;
  ObjectMesh mesh_;            // the element being converted
  std::vector<float> column_;  // one attribute of its vertices, packed
};

// The colour of a material as glTF stores it: the drawn colour (0..1, as
// displayed) converted to linear light.
float LinearFromDisplayed(float component);
