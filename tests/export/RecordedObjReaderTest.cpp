// The strict reader of the recorded OBJ/MTL and the JSON text helpers.
#include <gtest/gtest.h>

#include "export/EmbeddedImage.h"
#include "export/JsonText.h"
#include "export/RecordedObjReader.h"

namespace {
std::string Block(const std::string& name, const std::string& kd, const std::string& texture) {
  return "newmtl " + name + "\nNs 96.078431\nKa 0.200000 0.200000 0.200000\nKd " + kd +
         "\nKs 0.000000 0.000000 0.000000\nKe 0.000000 0.000000 0.000000\nNi 1.000000\nd 1.000000\nillum 2\n"
         "map_Kd textures/" +
         texture + "\n\n";
}

const char kTwoObjects[] =
    "mtllib s.mtl\n"
    "o first\nusemtl first\ns off\n"
    "vn 0 0 1\nvt 0 0\nv 0 0 0\nvt 1 0\nv 1 0 0\nv 1 1 0\nv 0.5 1.5 0\nv 0 1 0\n"
    "f 1/1/1 2/2/1 3/2/1 4/2/1 5/2/1\n"
    "o \nusemtl \ns off\n"
    "v -1 -2 -3\nv -1.5 -2 -3\nv -1 -2.25 -3\n"
    "f 6// 7// 8//\n";

TEST(RecordedObjReaderTest, ReadsWhatTheRecordingWrites) {
  RecordedScene scene;
  std::string reason;
  ASSERT_TRUE(ParseRecordedObj(kTwoObjects, Block("first", "1 0.50196 0", "texture1.jpeg") + Block("", "0 0 0", ""),
                               scene, reason))
      << reason;
  ASSERT_EQ(scene.objects.size(), 2u);
  const RecordedObject& first = scene.objects[0];
  EXPECT_EQ(first.name, "first");
  EXPECT_FLOAT_EQ(first.color[1], 0.50196f);
  EXPECT_EQ(first.textureFile, "texture1.jpeg");
  // The pentagon becomes a fan of three triangles around its first corner.
  ASSERT_EQ(first.triangles.size(), 9u);
  EXPECT_EQ(first.triangles[6].v, 0);
  EXPECT_EQ(first.triangles[7].v, 3);
  EXPECT_EQ(first.triangles[8].v, 4);
  EXPECT_EQ(first.triangles[8].vt, 1);
  EXPECT_EQ(first.triangles[8].vn, 0);
  // An unnamed element without texture: corners without texture coordinate
  // and normal.
  const RecordedObject& second = scene.objects[1];
  EXPECT_EQ(second.name, "");
  EXPECT_EQ(second.textureFile, "");
  ASSERT_EQ(second.triangles.size(), 3u);
  EXPECT_EQ(second.triangles[2].v, 7);
  EXPECT_EQ(second.triangles[2].vt, -1);
  EXPECT_EQ(second.triangles[2].vn, -1);
  EXPECT_FLOAT_EQ(scene.positions[7][1], -2.25f);
}

TEST(RecordedObjReaderTest, RefusesAnythingElse) {
  const std::string mtl = Block("a", "1 1 1", "");
  const std::string head = "mtllib s.mtl\no a\nusemtl a\ns off\nv 0 0 0\nv 1 0 0\nv 0 1 0\n";
  const struct {
    const char* what;
    std::string obj, mtl;
  } cases[] = {
      {"vertex index past the end", head + "f 1// 2// 4//\n", mtl},
      {"vertex index zero", head + "f 0// 1// 2//\n", mtl},
      {"normal index with no normal written", head + "f 1//1 2//1 3//1\n", mtl},
      {"two corners", head + "f 1// 2//\n", mtl},
      {"a line it never writes", head + "g group\n", mtl},
      {"a number with junk", head + "v 1 2 3x\n", mtl},
      {"a cut last line", head + "f 1// 2// 3//", mtl},
      {"usemtl naming another material", "mtllib s.mtl\no a\nusemtl b\ns off\n", mtl},
      {"more objects than materials", head + "o b\nusemtl b\ns off\n", mtl},
      {"a material no object uses", head, mtl + Block("b", "1 1 1", "")},
      {"a material block cut short", head, mtl.substr(0, mtl.size() - 1)},
      {"a changed material line", head, Block("a", "1 1 1", "").replace(0, 0, "# note\n")},
      {"a face before any object", "mtllib s.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1// 2// 3//\n", ""},
  };
  for (const auto& c : cases) {
    RecordedScene scene;
    std::string reason;
    EXPECT_FALSE(ParseRecordedObj(c.obj, c.mtl, scene, reason)) << c.what;
    EXPECT_FALSE(reason.empty()) << c.what;
  }
}

TEST(JsonTextTest, Latin1BecomesEscapedUtf8) {
  std::string out;
  AppendJsonString(out, std::string("a\"b\\c\t\x01\x7F \xE7\xC3\xFF/", 13));
  EXPECT_EQ(out, "\"a\\\"b\\\\c\\u0009\\u0001\\u007f \xC3\xA7\xC3\x83\xC3\xBF/\"");
  out.clear();
  AppendJsonString(out, std::string("\0x", 2));
  EXPECT_EQ(out, "\"\\u0000x\"");
}

TEST(JsonTextTest, NumbersRoundTripAndNonFiniteBecomeZero) {
  for (const float v : {0.1f, -2.5e-7f, 123456.78f, 1.0f / 3}) {
    std::string out;
    AppendJsonNumber(out, v);
    EXPECT_EQ(std::stof(out), v) << out;
  }
  for (const float v : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -0.0f}) {
    std::string out;
    AppendJsonNumber(out, v);
    EXPECT_EQ(out, "0");
  }
}

}  // namespace
