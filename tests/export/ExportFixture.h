#pragma once
// A headless scene and a fresh folder to export it into.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "gl/Textures.h"
#include "output/DocumentSave.h"
#include "tests/gl/SceneFixture.h"

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class ExportFixture : public SceneFixture {
 protected:
  void SetUp() override {
    SceneFixture::SetUp();
    folder = MakeTempFolder("export");
    ClearTextureCache();
  }
  std::string Path(const std::string& name) const { return folder + "/" + name; }
  // Saves the scene as `name` in the folder, expecting success; the path.
  std::string Save(const std::string& name) {
    const Outcome r = SaveDocument(scene, Path(name), "");
    EXPECT_TRUE(r.ok()) << name << ": " << r.reason;
    return Path(name);
  }
  std::string folder;
};
