// Label pictures are painted once and reused: a reused picture has the
// pixels a fresh painting of the same label would have, whatever came before,
// and a frame that paints its labels before it is compiled, each distinct
// picture in a texture of its own, shows what painting each label while
// drawing showed.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GLFixture.h"
#include "common/TIMem32.h"
#include "gl/ElementDrawing.h"
#include "gl/LabelBitmap.h"
#include "gl/LabelTextures.h"
#include "gl/SceneFrame.h"
#include "gl/Textures.h"
#include "gl/ViewPresets.h"

namespace {
struct Label {
  std::string text;
  uint32_t color;
  std::string texture;
  double dx, dy;
};

std::vector<uint8_t> Paint(const Label& l) {
  const TextureBitmap* b = DrawLabelBitmap(l.text, l.color, l.texture, l.dx, l.dy);
  return b ? b->pixels : std::vector<uint8_t>{};
}

TEST(LabelCache, ReusedPicturesEqualFreshOnesWhateverCameBefore) {
  const std::string texture = TexturePath("texture3.bmp"), other = TexturePath("texture1.jpeg");
  ASSERT_FALSE(texture.empty());
  ASSERT_FALSE(other.empty());
  // A textured label covers every pixel: each pass starts from the same
  // picture. A label over a colour leaves its last row and column partly as
  // the label before left them, so "@Hall" after the other texture differs
  // from "@Hall" after the first.
  const Label start{"@Start", 0x000000, texture, 1, 1};
  const std::vector<Label> labels = {
      {"@Hall", 0x204060, "", 1, 1},      {"@Hall", 0x204060, "", 2, 1},
      {"@Kitchen", 0x00FF00, "", 1, 1},   {"@Hall", 0x204061, "", 1, 1},
      {"@escala|v|100|0|10|10|", 0x808080, "", 1, 3},
      {"@Hall", 0x204060, other, 1, 1},   {"@Hall", 0x204060, other, 1, 1},
      {"@W", 0xFFFFFF, "", 1, 1},         {"@Hall", 0x204060, "", 1, 1},
      {"@Kitchen", 0x00FF00, "", 1, 1},   {"@Hall", 0x204060, "", 1, 1},
  };
  std::vector<std::vector<uint8_t>> fresh;
  for (int pass = 0; pass < 2; ++pass) {
    ClearLabelCache();
    Paint(start);
    for (const Label& l : labels) {
      ClearLabelCache();
      fresh.push_back(Paint(l));
    }
  }
  EXPECT_NE(fresh[0], fresh[1]);  // the size ratio matters
  EXPECT_NE(fresh[0], fresh[3]);  // so does the colour
  EXPECT_NE(fresh[0], fresh[8]);  // and what the labels before left

  ClearLabelCache();
  size_t k = 0;
  int keptAfterFirstPass = 0;
  for (int pass = 0; pass < 2; ++pass) {
    Paint(start);
    for (const Label& l : labels) {
      EXPECT_EQ(Paint(l), fresh[k]) << "pass " << pass << ", label " << k % labels.size() << " " << l.text;
      ++k;
    }
    if (pass == 0) keptAfterFirstPass = CachedLabelCount();
  }
  // The second pass painted nothing new; the first reused the repeated
  // textured label at least.
  EXPECT_EQ(CachedLabelCount(), keptAfterFirstPass);
  EXPECT_LT(keptAfterFirstPass, static_cast<int>(labels.size()) + 1);
}
}  // namespace

namespace {
class LabelFrameTest : public GLFixture {
 protected:
  void SetUp() override {
    GLFixture::SetUp();
    CreateTextures(*view, 8);
    DefaultView(*view);
    ApplyCamera(*view);
    store.RecordSize = kElementRecordSize;
  }
  void Add(int kind, const std::string& name, uint32_t color, const std::string& texture, double dx, double dy,
           double x, double z) {
    store.SetCount(store.Count() + 1);
    Element3D& e = store.As<Element3D>(store.Count() - 1);
    e = Element3D{};
    e.kind = kind;
    e.name.assign(name);
    e.color = color;
    e.texture.assign(texture);
    e.dx = dx;
    e.dy = dy;
    e.dz = 0.5;
    e.x = x;
    e.z = z;
    e.axz = 30;
    e.topPercent = 100;
  }
  std::vector<unsigned char> Frame() {
    std::vector<unsigned char> rgb(static_cast<size_t>(surface->Width()) * surface->Height() * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, surface->Width(), surface->Height(), GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    return rgb;
  }
  TIMem32 store{"labels"};
};

TEST_F(LabelFrameTest, CompiledFrameShowsTheLabelsAsPaintingThemWhileDrawingDid) {
  // A textured label first, so that both frames start from the same picture;
  // then labels repeated, textured cubes between them (they share the
  // texture slot the labels once used), a label of no height and a panel
  // whose name only looks like a label.
  Add(kCube, "@Start", 0x000000, "texture3.bmp", 2, 2, -6, -6);
  const char* names[] = {"@Hall", "@Kitchen", "@Hall", "@Bath"};
  for (int i = 0; i < 24; ++i) {
    const double x = -6 + (i % 6) * 2.5, z = -3 + (i / 6) * 2.5;
    if (i % 5 == 4)
      Add(kCube, "box", 0x3060A0, i % 2 ? "texture1.jpeg" : "texture3.bmp", 1, 1, x, z);
    else
      Add(kCube, names[i % 4], i % 3 == 0 ? 0x00FF00 : 0x204060, i % 7 == 0 ? "texture1.jpeg" : "", 1 + i % 2, 1, x, z);
  }
  Add(kCube, "@Flat", 0x204060, "", 1, 0, 6, 6);
  Add(kPanel, "@Panel", 0x204060, "texture1.jpeg", 2, 2, 4, 6);

  SceneState scene;
  scene.view = view;
  scene.elements = &store;
  scene.showEditAids = false;
  Redraw(scene);
  const std::vector<unsigned char> compiled = Frame();
  ASSERT_TRUE(view->Labels);
  EXPECT_EQ(view->Labels->next, view->Labels->labels.size());  // every label took its texture
  EXPECT_LT(view->Labels->textures.size(), view->Labels->labels.size());  // repeats share one

  // The same frame compiled with each label painted and uploaded as it is
  // drawn, the uploads held in the compiled frame.
  DropSceneList(scene);
  ClearLabelTextures(*view);
  const unsigned list = glGenLists(1);
  glNewList(list, GL_COMPILE);
  glClearColor(0.57f, 0.57f, 0.57f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor4f(0.0f, 0.5f, 0.0f, 1.0f);
  DrawElements(*view, store);
  glEndList();
  glCallList(list);
  glDeleteLists(list, 1);
  Present(*view);
  const std::vector<unsigned char> direct = Frame();
  ASSERT_EQ(compiled.size(), direct.size());
  size_t differing = 0;
  for (size_t i = 0; i < compiled.size(); ++i) differing += compiled[i] != direct[i];
  EXPECT_EQ(differing, 0u);
  // And the labels are on screen at all: the frames are not just background.
  size_t background = 0;
  for (size_t i = 0; i + 2 < direct.size(); i += 3) background += direct[i] == 145 && direct[i + 1] == 145;
  EXPECT_LT(background, direct.size() / 3 - 1000);
}
}  // namespace
