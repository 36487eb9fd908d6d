// Label pictures are painted once and reused: a reused picture has the
// pixels a fresh painting of the same label would have, whatever came before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gl/ElementDrawing.h"
#include "gl/LabelBitmap.h"
#include "gl/Textures.h"

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
