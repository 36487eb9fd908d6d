// Label pictures: the name or a scale ruler, painted once and reused.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "SceneFixture.h"
#include "gl/ElementDrawing.h"
#include "gl/LabelBitmap.h"
#include "gl/LabelTextures.h"
#include "gl/Picking.h"
#include "gl/ScaleRulerText.h"
#include "gl/Textures.h"

namespace {
TEST(ScaleRulerText, FieldsAreReadWithDefaultsAndCountsClampedBeforeAnyArithmetic) {
  const ScaleRuler r = ParseScaleRuler("@escala|v|1,5|-2|4|2|");
  EXPECT_EQ(r.maximum, 1.5);
  EXPECT_EQ(r.minimum, -2);
  EXPECT_EQ(ParseScaleRuler("@escala|v").maximum, 0);
  EXPECT_TRUE(std::isnan(ParseScaleRuler("@escala|v|NAN|1|").maximum)) << "kept for the ruler to print";
  const int most = kMaxRulerTicks + 1;
  const struct {
    const char* text;
    int ticks, steps;
  } cases[] = {
      {"@escala|v|1,5|-2|4|2|", 5, 3},
      {"@escala|", 11, 11},  // absent or unreadable: 10 (plus one)
      {"@escala|v|1|2|x|", 11, 11},
      {"@escala|v|1|2| 4|+2", 11, 11},
      {"@escala|v|1|2|4.5|", 11, 11},
      {"@escala|v|100|0|99999999|0|", most, 1},
      {"@escala|1|10|0|2147483647|1", most, 2},
      {"@escala|v|1|0|99999999999999999999999|2147483647", most, most},
      {"@escala|v|1|0|-1|-7", 0, 0},
      {"@escala|v|1|0|-2147483648|-99999999999999999999999", 0, 0},
      {"@escala|v|1|0|0|64", 1, most},
      {"@escala|v|1|0|0|65", 1, most},
  };
  for (const auto& c : cases) {
    const ScaleRuler parsed = ParseScaleRuler(c.text);
    EXPECT_EQ(parsed.majorTicks, c.ticks) << c.text;
    EXPECT_EQ(parsed.subSteps, c.steps) << c.text;
  }
}

// Rows inked white at column x of a picture painted over black.
int InkedRows(const TextureBitmap* b, int x) {
  int n = 0;
  for (int y = 0; y < 256; ++y) n += b->at(x, y)[0] == 255;
  return n;
}

TEST(LabelPicture, NamesShowInTheComplementColourAndRulersTheirTicks) {
  const TextureBitmap* name = DrawLabelBitmap("@AB", 0x000000, "", 1, 1);
  ASSERT_NE(name, nullptr);
  ASSERT_EQ(name->width, 256);
  int inked = 0, background = 0;
  for (int y = 18; y < 238; ++y)
    for (int x = 0; x < 255; ++x) {
      const uint8_t* p = name->at(x, y);
      inked += p[0] == 255 && p[1] == 255 && p[2] == 255;
      background += p[0] == 0 && p[1] == 0 && p[2] == 0;
    }
  EXPECT_GT(inked, 1000);
  EXPECT_GT(background, 1000);
  EXPECT_EQ(LabelTextColor(0x7F8081), 0x806E6Du) << "255 - each part, then 17 from the middle; 128 stays";
  EXPECT_EQ(DrawLabelBitmap("@AB", 0, "", 1, 0), nullptr) << "a label of no height";

  // Five major ticks from y 6 to 250, each from x 21 to 116.
  const TextureBitmap* ruler = DrawLabelBitmap("@escala|v|100|0|4|2|", 0x000000, "", 1, 1);
  ASSERT_NE(ruler, nullptr);
  for (int y : {6, 67, 128, 189, 250}) EXPECT_TRUE(ruler->at(60, y)[0] == 255 && ruler->at(115, y)[0] == 255) << y;
  EXPECT_EQ(ruler->at(60, 30)[0], 0);

  // Huge counts draw the densest ruler instead of hanging: 65 major ticks
  // reach x 70 (the values start at x 86) ...
  const TextureBitmap* dense = DrawLabelBitmap("@escala|v|100|0|99999999|0|", 0x000000, "", 1, 1);
  ASSERT_NE(dense, nullptr);
  EXPECT_EQ(InkedRows(dense, 70), kMaxRulerTicks + 1);
  EXPECT_TRUE(dense->at(70, 6)[0] == 255 && dense->at(70, 250)[0] == 255);
  // ... and 64 sub-tick steps between two major ticks all reach x 40, the middle one x 70.
  dense = DrawLabelBitmap("@escala|v|100|0|1|2147483647|", 0x000000, "", 1, 1);
  ASSERT_NE(dense, nullptr);
  EXPECT_EQ(InkedRows(dense, 40), kMaxRulerTicks + 1);
  EXPECT_EQ(InkedRows(dense, 70), 3);
}

struct Label {
  std::string text;
  uint32_t color;
  std::string texture;
  double dx, dy;
  std::vector<uint8_t> Paint() const {
    const TextureBitmap* b = DrawLabelBitmap(text, color, texture, dx, dy);
    return b ? b->pixels : std::vector<uint8_t>{};
  }
};

TEST(LabelCache, ReusedPicturesEqualFreshOnesWhateverCameBefore) {
  const std::string texture = TexturePath("texture3.bmp"), other = TexturePath("texture1.jpeg");
  ASSERT_FALSE(texture.empty() || other.empty());
  // A textured label covers every pixel, so each pass starts from the same picture; a
  // label over a colour leaves its last row and column as the label before left them.
  const Label start{"@Start", 0x000000, texture, 1, 1};
  const std::vector<Label> labels = {
      {"@Hall", 0x204060, "", 1, 1},
      {"@Hall", 0x204060, "", 2, 1},
      {"@Kitchen", 0x00FF00, "", 1, 1},
      {"@Hall", 0x204061, "", 1, 1},
      {"@escala|v|100|0|10|10|", 0x808080, "", 1, 3},
      {"@Hall", 0x204060, other, 1, 1},
      {"@Hall", 0x204060, other, 1, 1},
      {"@W", 0xFFFFFF, "", 1, 1},
      {"@Hall", 0x204060, "", 1, 1},
      {"@Kitchen", 0x00FF00, "", 1, 1},
      {"@Hall", 0x204060, "", 1, 1},
  };
  std::vector<std::vector<uint8_t>> fresh;
  for (int pass = 0; pass < 2; ++pass) {
    ClearLabelCache();
    start.Paint();
    for (const Label& l : labels) {
      ClearLabelCache();
      fresh.push_back(l.Paint());
    }
  }
  EXPECT_NE(fresh[0], fresh[1]) << "the size ratio matters";
  EXPECT_NE(fresh[0], fresh[3]) << "so does the colour";
  EXPECT_NE(fresh[0], fresh[8]) << "and what the labels before left";

  ClearLabelCache();
  size_t k = 0;
  int keptAfterFirstPass = 0;
  for (int pass = 0; pass < 2; ++pass) {
    start.Paint();
    for (const Label& l : labels) {
      EXPECT_EQ(l.Paint(), fresh[k]) << "pass " << pass << ", label " << k % labels.size() << " " << l.text;
      ++k;
    }
    if (pass == 0) keptAfterFirstPass = CachedLabelCount();
  }
  EXPECT_EQ(CachedLabelCount(), keptAfterFirstPass) << "the second pass painted something new";
  EXPECT_LT(keptAfterFirstPass, static_cast<int>(labels.size()) + 1) << "the repeated textured label was painted twice";
}

// A frame meets its labels in the same order each time: with more distinct
// labels than the cache holds, the first ones must still be found.
TEST(LabelCache, AFullCacheKeepsWhatItHolds) {
  ClearLabelCache();
  const Label start{"@Start", 0x000000, TexturePath("texture3.bmp"), 1, 1};  // covers every pixel
  auto paintAll = [&] {
    start.Paint();
    std::vector<uint64_t> ids;
    for (int i = 0; i < 400; ++i) {
      Label{"@Room " + std::to_string(i), 0x204060, "", 1, 1}.Paint();
      ids.push_back(LastLabelPictureId());
    }
    return ids;
  };
  const std::vector<uint64_t> first = paintAll();
  const int held = CachedLabelCount() - 1;  // the start label is kept too
  ASSERT_LT(held, 400) << "the cache has no bound";
  const std::vector<uint64_t> again = paintAll();
  for (int i = 0; i < held; ++i) ASSERT_EQ(again[i], first[i]) << "label " << i << " was painted again";
}

using LabelFrameTest = SceneFixture;

TEST_F(LabelFrameTest, LabelsArePaintedOnceAndLookAsPaintedAfresh) {
  CreateTextures(*view, 8);
  scene.showEditAids = false;
  // A textured label first, so both frames start from the same picture; then
  // repeated labels with textured cubes between them (they share the slot
  // the labels once used), a label of no height and a panel named like one.
  auto add = [&](const std::string& name, uint32_t color, const std::string& texture, double dx, double dy, double x,
                 double z, int kind = kCube) {
    Element3D& e = Add(name, kind, x, 0, z, color);
    e.texture.assign(texture);
    e.dx = dx, e.dy = dy, e.dz = 0.5, e.axz = 30;
  };
  add("@Start", 0x000000, "texture3.bmp", 2, 2, -6, -6);
  const char* names[] = {"@Hall", "@Kitchen", "@Hall", "@Bath"};
  for (int i = 0; i < 24; ++i) {
    const double x = -6 + (i % 6) * 2.5, z = -3 + (i / 6) * 2.5;
    if (i % 5 == 4)
      add("box", 0x3060A0, i % 2 ? "texture1.jpeg" : "texture3.bmp", 1, 1, x, z);
    else
      add(names[i % 4], i % 3 == 0 ? 0x00FF00 : 0x204060, i % 7 == 0 ? "texture1.jpeg" : "", 1 + i % 2, 1, x, z);
  }
  add("@Flat", 0x204060, "", 1, 0, 6, 6);
  add("@Panel", 0x204060, "texture1.jpeg", 2, 2, 4, 6, kPanel);
  Redraw(scene);
  const std::vector<unsigned char> first = Frame();
  ASSERT_TRUE(view->Labels);
  const LabelTextureSet* prepared = view->Labels.get();
  EXPECT_EQ(prepared->labels.size(), 22u);  // @Start and @Flat included, the panel not
  EXPECT_LT(prepared->textures.size(), prepared->labels.size()) << "repeats do not share one";
  size_t background = 0;
  for (size_t i = 0; i + 2 < first.size(); i += 3) background += first[i] == 145 && first[i + 1] == 145;
  EXPECT_LT(background, first.size() / 3 - 1000) << "the labels are not on screen at all";

  // Frames and edits that leave the labels as they were paint and upload
  // nothing, and show the same labels.
  Redraw(scene);
  EXPECT_EQ(view->Labels.get(), prepared);
  EXPECT_TRUE(Frame() == first) << "the second frame differs from the first";
  store.As<Element3D>(5).x += 20;  // a textured box, out of the view
  Redraw(scene);
  EXPECT_EQ(view->Labels.get(), prepared) << "moving a box painted the labels again";

  // A fresh context paints and uploads everything anew: the same picture.
  MakeSurface(320, 240);
  CreateTextures(*view, 8);
  scene.view = view;
  DefaultView(*view);
  ApplyCamera(*view);
  store.As<Element3D>(5).x -= 20;
  ClearTextureCache();
  Redraw(scene);
  EXPECT_TRUE(Frame() == first) << "labels prepared once differ from labels painted afresh";
}

// Past its budget of picture pixels a frame paints no more labels: they
// show as plain faces of their colour, like any other cube of that colour.
TEST_F(LabelFrameTest, LabelsPastTheBudgetAreDrawnAsPlainFaces) {
  CreateTextures(*view, 8);
  scene.showEditAids = false;
  constexpr size_t kPicture = 256 * 256 * 3;
  const size_t fit = kLabelPictureBudget / kPicture;
  for (size_t i = 0; i < fit + 20; ++i) {
    Element3D& e = Add("@L" + std::to_string(i), kCube, 100, 0, 0, 0x3060A0);  // out of the view
    e.dy = 1;
  }
  Element3D& last = Add("@Last", kCube, 0, 1, 0, 0x3060A0);
  Redraw(scene);
  ASSERT_TRUE(view->Labels);
  EXPECT_TRUE(view->Labels->overBudget);
  EXPECT_LE(view->Labels->textures.size() * kPicture, kLabelPictureBudget);
  EXPECT_TRUE(view->Labels->labels.back().plain);
  int x, y;
  ProjectPoint(*view, 0, 1.5, 1, x, y);
  const std::vector<unsigned char> label = Pixel(x, y);
  last.name.assign("box");
  Redraw(scene);
  EXPECT_EQ(label, Pixel(x, y)) << "the label past the budget is not a plain face";
  EXPECT_NE(label, Pixel(0, 0)) << "nothing drawn there";
}
}  // namespace
