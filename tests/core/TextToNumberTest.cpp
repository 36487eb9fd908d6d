#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>

#include "common/TextToNumber.h"

TEST(TextToNumber, PlainNumbers) {
  EXPECT_DOUBLE_EQ(TextToNumber("3,5"), 3.5);
  EXPECT_DOUBLE_EQ(TextToNumber(" 12 "), 12);
  EXPECT_DOUBLE_EQ(TextToNumber("1e3"), 1000);
  EXPECT_DOUBLE_EQ(TextToNumber("-2.25"), -2.25);
  EXPECT_DOUBLE_EQ(TextToNumber("+7"), 7);
  EXPECT_DOUBLE_EQ(TextToNumber("12\xB1" "0.5"), 12);
  EXPECT_DOUBLE_EQ(TextToNumber("12 \xB1 0,5"), 12);
  EXPECT_TRUE(LastConversionOk());
}

TEST(TextToNumber, UnreadableTextGivesZeroAndClearsTheFlag) {
  for (const char* bad : {"abc", "1,2,3", "1e", "--1", "inf", "nan", "12abc", "."}) {
    EXPECT_EQ(TextToNumber(bad), 0.0) << bad;
    EXPECT_FALSE(LastConversionOk()) << bad;
  }
  EXPECT_EQ(TextToNumber("e5"), 0.0);
  EXPECT_EQ(TextToNumber(""), 0.0);
  EXPECT_EQ(TextToNumber("   "), 0.0);
}

TEST(TextToNumber, NanTextsGiveTheNegativeQuietNan) {
  for (const char* t : {"NAN", "-NAN"}) {
    const double v = TextToNumber(t);
    EXPECT_TRUE(std::isnan(v));
    EXPECT_EQ(std::bit_cast<uint64_t>(v), 0xFFF8000000000000ULL);
  }
  EXPECT_EQ(TextToNumber("nan"), 0.0);  // only the exact capitals
}

TEST(TextToNumber, DegreesMinutesSeconds) {
  EXPECT_DOUBLE_EQ(TextToNumber("10\xB0" "30'"), 10.5);
  EXPECT_NEAR(TextToNumber("-10\xB0" "30'36\""), -10.51, 1e-12);
  EXPECT_DOUBLE_EQ(TextToNumber("45o"), 45);
  EXPECT_DOUBLE_EQ(TextToNumber("30'"), 0.5);
  EXPECT_DOUBLE_EQ(TextToNumber("1\xB0" "36\""), 1.01);
  EXPECT_DOUBLE_EQ(TextToNumber("2\xB0" "30,5'"), 2 + 30.5 / 60);
}
