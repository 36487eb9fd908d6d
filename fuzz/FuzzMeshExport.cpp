// Any document exported as glTF binary and as STL: the export must neither
// crash nor hang, and what it writes must hold together: a .glb whose
// declared length is its size, chunks that fit, accessor bounds that are
// finite numbers; an STL whose triangle count matches its size and whose
// every float is finite.
#include <QGuiApplication>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/TIMem32.h"
#include "document/DocumentFile.h"
#include "document/Element3D.h"
#include "gl/SceneFrame.h"
#include "gl/Textures.h"
#include "output/DocumentSave.h"

namespace {
std::string& Folder() {
  static std::string folder;
  return folder;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

uint32_t U32(const std::string& bytes, size_t at) {
  uint32_t v = 0;
  std::memcpy(&v, bytes.data() + at, 4);
  return v;
}

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "mesh export: %s\n", what);
  std::abort();
}

// The numbers of every "min" and "max" array of the JSON: finite, as JSON
// numbers must be.
void CheckBounds(const std::string& json) {
  for (const char* key : {"\"min\":[", "\"max\":["}) {
    for (size_t at = json.find(key); at != std::string::npos; at = json.find(key, at + 1)) {
      const size_t end = json.find(']', at);
      Require(end != std::string::npos, "an accessor bound is not closed");
      std::string list = json.substr(at + std::strlen(key), end - at - std::strlen(key));
      for (char& c : list)
        if (c == ',') c = ' ';
      const char* p = list.c_str();
      for (char* next = nullptr;; p = next) {
        const double v = std::strtod(p, &next);
        if (next == p) break;
        Require(std::isfinite(v), "an accessor bound is not finite");
      }
      Require(list.find_first_not_of("0123456789.-+eE ") == std::string::npos, "an accessor bound is no number");
    }
  }
}

void CheckGlb(const std::string& bytes) {
  Require(bytes.size() >= 20 && bytes.compare(0, 4, "glTF") == 0 && U32(bytes, 4) == 2, "not glTF 2 binary");
  Require(U32(bytes, 8) == bytes.size(), "the declared length is not the file's size");
  const uint32_t jsonLength = U32(bytes, 12);
  Require(U32(bytes, 16) == 0x4E4F534A && 20 + uint64_t{jsonLength} <= bytes.size(), "the JSON chunk does not fit");
  size_t at = 20 + jsonLength;
  if (at < bytes.size()) {
    Require(at + 8 <= bytes.size() && U32(bytes, at + 4) == 0x004E4942, "the second chunk is not BIN");
    Require(at + 8 + uint64_t{U32(bytes, at)} == bytes.size(), "the BIN chunk does not end the file");
  }
  CheckBounds(bytes.substr(20, jsonLength));
}

void CheckStl(const std::string& bytes) {
  Require(bytes.size() >= 84, "shorter than the STL header");
  const uint64_t count = U32(bytes, 80);
  Require(84 + count * 50 == bytes.size(), "the triangle count does not match the size");
  for (uint64_t t = 0; t < count; ++t)
    for (int k = 0; k < 12; ++k) {
      float v = 0;
      std::memcpy(&v, bytes.data() + 84 + t * 50 + k * 4, 4);
      Require(std::isfinite(v), "a normal or corner is not finite");
    }
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // glTF re-encodes textures and paints nothing else; Qt needs no display.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  static int argc = 1;
  static char name[] = "fuzz_mesh_export";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
  std::string pattern = (std::filesystem::temp_directory_path() / "fuzz-mesh-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) std::abort();
  Folder() = pattern;
  std::atexit([] {
    std::error_code ignored;
    std::filesystem::remove_all(Folder(), ignored);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TIMem32 elements("fuzz mesh export");
  elements.RecordSize = kElementRecordSize;
  if (!ReadDocumentBytes(data, size, elements).ok()) return 0;
  // The mesh exports record the frame without drawing it: no GL context.
  SceneState scene;
  scene.elements = &elements;
  for (const char* name : {"x.glb", "x.stl"}) {
    const std::string path = Folder() + "/" + name;
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    if (!SaveDocument(scene, path, std::string()).ok()) continue;  // a failure writes nothing to check
    const std::string bytes = ReadAll(path);
    if (name[2] == 'g')
      CheckGlb(bytes);
    else
      CheckStl(bytes);
  }
  ClearTextureCache();
  return 0;
}
