#include "RecordedObjReader.h"

#include <charconv>
#include <fstream>
#include <string_view>

#include "ObjExport.h"

namespace {
// The recording never writes more than this many corners on one face line.
constexpr size_t kMaxCorners = 4096;

bool ReadFile(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return false;
  const std::streamoff size = in.tellg();
  if (size < 0) return false;
  text.resize(static_cast<size_t>(size));
  in.seekg(0);
  return static_cast<bool>(in.read(text.data(), size));
}

bool StartsWith(std::string_view line, std::string_view prefix) { return line.substr(0, prefix.size()) == prefix; }

// Parses exactly `count` numbers separated by single spaces.
bool ParseFloats(std::string_view text, float* out, int count) {
  const char* p = text.data();
  const char* end = p + text.size();
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      if (p == end || *p != ' ') return false;
      ++p;
    }
    double v = 0;
    const auto result = std::from_chars(p, end, v);
    if (result.ec != std::errc()) return false;
    out[i] = static_cast<float>(v);
    p = result.ptr;
  }
  return p == end;
}

// "a/b/c" with b and c possibly empty; each index 1..limit.
bool ParseCorner(std::string_view text, const RecordedScene& s, RecordedCorner& c) {
  int32_t* slots[3] = {&c.v, &c.vt, &c.vn};
  const size_t limits[3] = {s.positions.size(), s.texCoords.size(), s.normals.size()};
  const char* p = text.data();
  const char* end = p + text.size();
  for (int k = 0; k < 3; ++k) {
    if (k > 0) {
      if (p == end || *p != '/') return false;
      ++p;
    }
    int64_t index = 0;
    if (p != end && *p != '/') {
      const auto result = std::from_chars(p, end, index);
      if (result.ec != std::errc() || index < 1 || static_cast<uint64_t>(index) > limits[k]) return false;
      p = result.ptr;
    } else if (k == 0) {
      return false;  // a corner always has its vertex
    }
    *slots[k] = static_cast<int32_t>(index - 1);
  }
  return p == end;
}

bool ParseFace(std::string_view rest, RecordedScene& s, RecordedObject& object) {
  std::vector<RecordedCorner> corners;
  size_t start = 0;
  while (start < rest.size()) {
    if (rest[start] != ' ') return false;
    const size_t next = rest.find(' ', start + 1);
    const size_t stop = next == std::string_view::npos ? rest.size() : next;
    RecordedCorner c;
    if (!ParseCorner(rest.substr(start + 1, stop - start - 1), s, c)) return false;
    corners.push_back(c);
    if (corners.size() > kMaxCorners) return false;
    start = stop;
  }
  if (corners.size() < 3) return false;
  for (size_t i = 1; i + 1 < corners.size(); ++i) {
    object.triangles.push_back(corners[0]);
    object.triangles.push_back(corners[i]);
    object.triangles.push_back(corners[i + 1]);
  }
  return true;
}

// Calls `line(number, text)` for every line; the texts end with a line feed.
template <typename F>
bool ForEachLine(const std::string& text, F&& line) {
  size_t start = 0, number = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    if (end == std::string::npos) return line(number + 1, std::string_view(), false);
    if (!line(++number, std::string_view(text).substr(start, end - start), true)) return false;
    start = end + 1;
  }
  return true;
}

std::string LineError(const char* file, size_t number, const char* what) {
  return std::string(file) + ": line " + std::to_string(number) + ": " + what;
}

bool ParseMtl(const std::string& mtlText, std::vector<RecordedObject>& materials, std::string& reason) {
  // The fixed lines between "newmtl" and "Kd", and between "Kd" and the
  // optional "map_Kd".
  static const char* const kBefore[] = {"Ns 96.078431", "Ka 0.200000 0.200000 0.200000"};
  static const char* const kAfter[] = {"Ks 0.000000 0.000000 0.000000", "Ke 0.000000 0.000000 0.000000",
                                       "Ni 1.000000", "d 1.000000", "illum 2"};
  int step = 0;  // position inside the 11-line block
  return ForEachLine(mtlText, [&](size_t number, std::string_view line, bool complete) {
    if (!complete) {
      reason = LineError("MTL", number, "no line end");
      return false;
    }
    bool ok = false;
    if (step == 0) {
      ok = StartsWith(line, "newmtl ");
      if (ok) materials.emplace_back().name = std::string(line.substr(7));
    } else if (step <= 2) {
      ok = line == kBefore[step - 1];
    } else if (step == 3) {
      ok = StartsWith(line, "Kd ") && ParseFloats(line.substr(3), materials.back().color, 3);
    } else if (step <= 8) {
      ok = line == kAfter[step - 4];
    } else if (step == 9 && line.empty()) {
      ok = true;  // a texture that names no file leaves the block without map_Kd
      step = 10;
    } else if (step == 9) {
      ok = StartsWith(line, "map_Kd textures/");
      if (ok) materials.back().textureFile = std::string(line.substr(16));
    } else {
      ok = line.empty();
    }
    if (!ok) {
      reason = LineError("MTL", number, "not a line of a material block");
      return false;
    }
    step = (step + 1) % 11;
    return true;
  }) && (step == 0 || (reason = "MTL: the last material block is cut short", false));
}
}  // namespace

bool ParseRecordedObj(const std::string& objText, const std::string& mtlText, RecordedScene& scene,
                      std::string& reason) {
  scene = RecordedScene{};
  std::vector<RecordedObject> materials;
  if (!ParseMtl(mtlText, materials, reason)) return false;
  size_t usedMaterials = 0;
  // Expected after "o": "usemtl", then "s off", then geometry.
  int header = 0;
  const bool parsed = ForEachLine(objText, [&](size_t number, std::string_view line, bool complete) {
    const auto fail = [&](const char* what) {
      reason = LineError("OBJ", number, what);
      return false;
    };
    if (!complete) return fail("no line end");
    if (number == 1) return StartsWith(line, "mtllib ") ? true : fail("the first line is not mtllib");
    if (header == 1) {
      if (!StartsWith(line, "usemtl ") || usedMaterials >= materials.size() ||
          line.substr(7) != materials[usedMaterials].name)
        return fail("usemtl does not name the next material");
      RecordedObject& object = scene.objects.back();
      object.color[0] = materials[usedMaterials].color[0];
      object.color[1] = materials[usedMaterials].color[1];
      object.color[2] = materials[usedMaterials].color[2];
      object.textureFile = std::move(materials[usedMaterials].textureFile);
      ++usedMaterials;
      header = 2;
      return true;
    }
    if (header == 2) {
      header = 0;
      return line == "s off" ? true : fail("expected s off");
    }
    if (StartsWith(line, "o ")) {
      scene.objects.emplace_back().name = std::string(line.substr(2));
      header = 1;
      return true;
    }
    float values[3];
    if (StartsWith(line, "v ")) {
      if (!ParseFloats(line.substr(2), values, 3)) return fail("bad v");
      scene.positions.push_back({values[0], values[1], values[2]});
    } else if (StartsWith(line, "vn ")) {
      if (!ParseFloats(line.substr(3), values, 3)) return fail("bad vn");
      scene.normals.push_back({values[0], values[1], values[2]});
    } else if (StartsWith(line, "vt ")) {
      if (!ParseFloats(line.substr(3), values, 2)) return fail("bad vt");
      scene.texCoords.push_back({values[0], values[1]});
    } else if (StartsWith(line, "f")) {
      if (scene.objects.empty() || !ParseFace(line.substr(1), scene, scene.objects.back()))
        return fail("bad face");
    } else {
      return fail("not a line the recording writes");
    }
    if (scene.positions.size() > INT32_MAX - 1 || scene.normals.size() > INT32_MAX - 1 ||
        scene.texCoords.size() > INT32_MAX - 1)
      return fail("too many entries");
    return true;
  });
  if (!parsed) return false;
  if (header != 0) {
    reason = "OBJ: the last object is cut short";
    return false;
  }
  if (usedMaterials != materials.size()) {
    reason = "OBJ: the MTL file holds materials no object uses";
    return false;
  }
  return true;
}

bool ReadRecordedObj(const std::string& objPath, RecordedScene& scene, std::string& reason) {
  std::string obj, mtl;
  const std::string mtlPath = MtlPathFor(objPath);
  if (!ReadFile(objPath, obj)) {
    reason = "cannot read " + objPath;
    return false;
  }
  if (!ReadFile(mtlPath, mtl)) {
    reason = "cannot read " + mtlPath;
    return false;
  }
  return ParseRecordedObj(obj, mtl, scene, reason);
}
