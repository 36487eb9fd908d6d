#include <gtest/gtest.h>

#include <string>

#include "common/NonFiniteText.h"

TEST(NonFiniteText, NamesInAnyCaseAndSign) {
  for (const char* t : {"NAN", "-NAN", "nan", "NaN", " nan ", "+nan"})
    EXPECT_EQ(ClassifyNonFinite(t), NonFinite::NotANumber) << t;
  for (const char* t : {"INF", "inf", "+Inf", "Infinity", "infinity"})
    EXPECT_EQ(ClassifyNonFinite(t), NonFinite::PlusInfinity) << t;
  for (const char* t : {"-INF", "-infinity", " -Inf"}) EXPECT_EQ(ClassifyNonFinite(t), NonFinite::MinusInfinity) << t;
}

TEST(NonFiniteText, DecimalsBeyondTheDoubleRange) {
  EXPECT_EQ(ClassifyNonFinite("1e400"), NonFinite::PlusInfinity);
  EXPECT_EQ(ClassifyNonFinite("-1E999"), NonFinite::MinusInfinity);
  EXPECT_EQ(ClassifyNonFinite("1,5e400"), NonFinite::PlusInfinity);
  EXPECT_EQ(ClassifyNonFinite("1" + std::string(400, '0')), NonFinite::PlusInfinity);
  // Degrees and minutes that add up past the largest double.
  EXPECT_EQ(ClassifyNonFinite("1.79e308o6e307'"), NonFinite::PlusInfinity);
}

TEST(NonFiniteText, FiniteAndUnreadableTextIsNone) {
  for (const char* t : {"", "0", "12", "-2.5", "3,5", "1e308", "-1.7e308", "1e-400", "10o30'36\"", "abc", "in", "nanx",
                        "1e", "--inf", "+-1e400"})
    EXPECT_EQ(ClassifyNonFinite(t), NonFinite::None) << t;
}
