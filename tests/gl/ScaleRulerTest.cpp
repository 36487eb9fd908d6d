#include <gtest/gtest.h>

#include <cmath>

#include "GLFixture.h"
#include "gl/LabelBitmap.h"
#include "gl/ScaleRulerText.h"

namespace {
TEST(ScaleRulerText, FieldsAreReadWithDefaults) {
  const ScaleRuler r = ParseScaleRuler("@escala|v|1,5|-2|4|2|");
  EXPECT_EQ(r.maximum, 1.5);
  EXPECT_EQ(r.minimum, -2);
  EXPECT_EQ(r.majorTicks, 5);
  EXPECT_EQ(r.subSteps, 3);
  // Missing or unreadable counts are 10 (plus one); missing limits 0.
  for (const char* text : {"@escala|", "@escala|v|1|2|x|", "@escala|v|1|2| 4|+2", "@escala|v|1|2|4.5|"}) {
    const ScaleRuler d = ParseScaleRuler(text);
    EXPECT_EQ(d.majorTicks, 11) << text;
    EXPECT_EQ(d.subSteps, 11) << text;
  }
  EXPECT_EQ(ParseScaleRuler("@escala|v").maximum, 0);
  // Non-numbers are kept as they read, for the ruler to print.
  EXPECT_TRUE(std::isnan(ParseScaleRuler("@escala|v|NAN|1|").maximum));
}

TEST(ScaleRulerText, CountsAreClampedBeforeAnyArithmetic) {
  struct Case {
    const char* text;
    int ticks, steps;
  } cases[] = {
      {"@escala|v|100|0|99999999|0|", kMaxRulerTicks + 1, 1},
      {"@escala|1|10|0|2147483647|1", kMaxRulerTicks + 1, 2},
      {"@escala|v|1|0|99999999999999999999999|2147483647", kMaxRulerTicks + 1, kMaxRulerTicks + 1},
      {"@escala|v|1|0|-2147483648|-99999999999999999999999", 0, 0},
      {"@escala|v|1|0|-1|-7", 0, 0},
      {"@escala|v|1|0|0|64", 1, kMaxRulerTicks + 1},
      {"@escala|v|1|0|0|65", 1, kMaxRulerTicks + 1},
  };
  for (const Case& c : cases) {
    const ScaleRuler r = ParseScaleRuler(c.text);
    EXPECT_EQ(r.majorTicks, c.ticks) << c.text;
    EXPECT_EQ(r.subSteps, c.steps) << c.text;
  }
}

class ScaleRulerPicture : public GLFixture {};

TEST_F(ScaleRulerPicture, HugeCountsDrawTheDensestRulerInsteadOfHanging) {
  // Rows inked at column x of the picture (white ink over black).
  auto inkedRows = [](const TextureBitmap* b, int x) {
    int n = 0;
    for (int y = 0; y < 256; ++y) n += b->at(x, y)[0] == 255;
    return n;
  };
  // Without sub-ticks only major ticks reach x 70 (the values are written
  // from x 86 on); 65 of them, under 4 pixels apart.
  const TextureBitmap* b = DrawLabelBitmap("@escala|v|100|0|99999999|0|", 0x000000, "", 1, 1);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(inkedRows(b, 70), kMaxRulerTicks + 1);
  EXPECT_EQ(b->at(70, 6)[0], 255);
  EXPECT_EQ(b->at(70, 250)[0], 255);
  // Two major ticks with 64 sub-tick steps between them: every step reaches
  // x 40, and only the middle one reaches x 70 besides the two ticks.
  b = DrawLabelBitmap("@escala|v|100|0|1|2147483647|", 0x000000, "", 1, 1);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(inkedRows(b, 40), kMaxRulerTicks + 1);
  EXPECT_EQ(inkedRows(b, 70), 3);
}
}  // namespace
