#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

#include "common/NonFiniteText.h"
#include "common/NumberText.h"
#include "common/TextToNumber.h"

TEST(TextToNumber, CommasTolerancesAnglesAndUnreadableText) {
  const std::pair<const char*, double> cases[] = {{"3,5", 3.5},
                                                  {" 12 ", 12},
                                                  {"1e3", 1000},
                                                  {"-2.25", -2.25},
                                                  {"+7", 7},
                                                  {"12\xB1"
                                                   "0.5",
                                                   12},
                                                  {"12 \xB1 0,5", 12},  // the tolerance is cut off
                                                  {"10\xB0"
                                                   "30'",
                                                   10.5},
                                                  {"45o", 45},
                                                  {"30'", 0.5},
                                                  {"1\xB0"
                                                   "36\"",
                                                   1.01},
                                                  {"2\xB0"
                                                   "30,5'",
                                                   2 + 30.5 / 60}};
  for (const auto& [text, expected] : cases) {
    EXPECT_DOUBLE_EQ(TextToNumber(text), expected) << text;
    EXPECT_TRUE(LastConversionOk()) << text;
  }
  EXPECT_NEAR(TextToNumber("-10\xB0"
                           "30'36\""),
              -10.51, 1e-12);
  // Unreadable text gives 0; only the capital names give a NaN.
  for (const char* bad : {"abc", "1,2,3", "1e", "--1", "inf", "nan", "12abc", "."}) {
    EXPECT_EQ(TextToNumber(bad), 0.0) << bad;
    EXPECT_FALSE(LastConversionOk()) << bad;
  }
  for (const char* empty : {"e5", "", "   "}) EXPECT_EQ(TextToNumber(empty), 0.0) << empty;
  for (const char* t : {"NAN", "-NAN"}) EXPECT_EQ(std::bit_cast<uint64_t>(TextToNumber(t)), 0xFFF8000000000000ULL) << t;
}

// Entries refuse what is not a finite number, in whatever spelling, or what overflows a double.
TEST(NonFiniteText, NamesAndDecimalsBeyondTheDoubleRangeAreRecognised) {
  for (const char* t : {"NAN", "-NAN", "nan", "NaN", " nan ", "+nan"})
    EXPECT_EQ(ClassifyNonFinite(t), NonFinite::NotANumber) << t;
  // Degrees and minutes may add up past the largest double.
  for (const std::string& t : std::vector<std::string>{"INF", "inf", "+Inf", "Infinity", "infinity", "1e400", "1,5e400",
                                                       "1" + std::string(400, '0'), "1.79e308o6e307'"})
    EXPECT_EQ(ClassifyNonFinite(t), NonFinite::PlusInfinity) << t;
  for (const char* t : {"-INF", "-infinity", " -Inf", "-1E999"})
    EXPECT_EQ(ClassifyNonFinite(t), NonFinite::MinusInfinity) << t;
  for (const char* t : {"", "0", "12", "-2.5", "3,5", "1e308", "-1.7e308", "1e-400", "10o30'36\"", "abc", "in", "nanx",
                        "1e", "--inf", "+-1e400"})
    EXPECT_EQ(ClassifyNonFinite(t), NonFinite::None) << t;
}

TEST(FormatGeneral, ShortestFormWithAnExponentOnlyForExtremes) {
  for (const auto& [value, text] :
       std::vector<std::pair<double, const char*>>{{0.1, "0.1"}, {-2.5, "-2.5"}, {1e-5, "1E-5"}, {1e20, "1E20"}})
    EXPECT_EQ(FormatGeneral(value), text) << text;
}
