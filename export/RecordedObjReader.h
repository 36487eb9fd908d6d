#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The scene as the OBJ recording wrote it, read back for the other export
// formats. Only the exact subset the recording writes is accepted ("o",
// "usemtl", "s off", "v", "vt", "vn", "f" lines; MTL blocks of "newmtl" ...
// "map_Kd"); anything else is an error, so a change of the recording cannot
// silently lose geometry here.
struct RecordedCorner {
  int32_t v = 0, vt = 0, vn = 0;  // 0-based; -1 = none written
};

struct RecordedObject {
  std::string name;         // the element's name, Latin-1 bytes
  float color[3] = {0, 0, 0};
  std::string textureFile;  // the file name after "map_Kd textures/", empty = none
  // Faces as the recording wrote them, split into triangles (fans of the
  // polygons), three corners each.
  std::vector<RecordedCorner> triangles;
};

struct RecordedScene {
  std::vector<std::array<float, 3>> positions, normals;
  std::vector<std::array<float, 2>> texCoords;
  std::vector<RecordedObject> objects;
};

// Reads `objPath` and the MTL file beside it into `scene`. False with a
// reason ("file: line N: ...") on the first line it does not accept.
bool ReadRecordedObj(const std::string& objPath, RecordedScene& scene, std::string& reason);

// The same from texts already in memory.
bool ParseRecordedObj(const std::string& objText, const std::string& mtlText, RecordedScene& scene,
                      std::string& reason);
