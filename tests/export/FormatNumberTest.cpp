#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "export/DecimalCounter.h"
#include "export/FormatNumber.h"
#include "export/NumberMemo.h"
#include "export/ObjExport.h"

namespace {
// Six decimals cut, never rounded; no "-0"; an exponent only for tiny and
// huge magnitudes; fifteen significant digits at most.
TEST(FormatNumber, HandPickedValues) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {2, "2"},
      {0.5, "0.5"},
      {-1.2345678, "-1.234567"},
      {128 / 255.0, "0.50196"},
      {0.9999999, "0.999999"},
      {1e-7, "0"},
      {-1e-7, "0"},
      {-0.0, "0"},
      {-250, "-250"},
      {0.1, "0.1"},  // the stored 0.1000000000000000055 stays 0.1
      {0.00001, "0.00001"},
      {0.0000567, "0.000056"},
      {0.000001, "1E-6"},
      {-0.0000045, "-4E-6"},
      {0.000009999999, "9E-6"},
      {123456789012345.0, "123456789012345"},
      {1e16, "1E16"},
      {123456789.123456, "123456789.123456"},
      {1234567890.123456, "1234567890.12346"},
      {999999.9999999, "999999.999999"},
      // 0.50196 is stored just below itself and keeps its last digit; its
      // neighbours below print as 0.50195999... and lose it.
      {std::nextafter(0.50196, 0.0), "0.501959"},
      {std::nextafter(0.50196, 1.0), "0.50196"},
      {std::nextafter(-3.0, 0.0), "-2.999999"},
      {std::nextafter(20.0, 21.0), "20"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNumber(c.value), c.text) << std::hexfloat << c.value;
  std::string s = "v ";
  AppendNumber(s, 1.5);
  EXPECT_EQ(s, "v 1.5");
}

// The format read off its definition: the shortest text of the number, cut
// after six decimals, trailing zeros and a bare point dropped, no "-0".
// Only for magnitudes that need no exponent and no rounding to 15 digits.
std::string CutShortestText(double v) {
  char buf[64];
  std::string text(buf, std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed).ptr);
  const size_t point = text.find('.');
  if (point != std::string::npos) {
    text.resize(std::min(text.size(), point + 7));
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

TEST(FormatNumber, EveryValueNextToASixDecimalBoundaryIsCutAsItsShortestText) {
  // Decimals of up to six places, a few units in the last place either side,
  // over the magnitudes of a scene; and a spread of arbitrary values.
  std::mt19937_64 random(7);
  int checked = 0;
  for (int i = 0; i < 20000; ++i) {
    const double scale = std::pow(10.0, static_cast<int>(random() % 12) - 5);
    const double decimal = std::round(std::uniform_real_distribution<double>(-1, 1)(random) * scale * 1e6) / 1e6;
    double v = decimal;
    for (int step = 0; step < 4; ++step) v = std::nextafter(v, -INFINITY);
    for (int step = 0; step < 9; ++step, v = std::nextafter(v, INFINITY)) {
      const double a = std::fabs(v);
      if (a < 1e-5 || a >= 1e9) continue;  // exponent forms and long ones: hand-picked above
      ASSERT_EQ(FormatNumber(v), CutShortestText(v)) << std::hexfloat << v;
      ++checked;
    }
    const double any = std::uniform_real_distribution<double>(-1, 1)(random) * scale;
    if (std::fabs(any) >= 1e-5 && std::fabs(any) < 1e9) {
      ASSERT_EQ(FormatNumber(any), CutShortestText(any)) << any;
    }
  }
  EXPECT_GT(checked, 100000);
}

// The mesh exports store numbers without their text; they must get exactly
// what reading the text gives, bit for bit (the sign of zero included), or
// the formats would disagree with the OBJ in the last place.
TEST(FormatNumber, NumberAsWrittenIsWhatTheTextReadsBackAs) {
  const auto readBack = [](double v) {
    const std::string text = FormatNumber(v);
    double d = 0;
    std::from_chars(text.data(), text.data() + text.size(), d);
    return d;
  };
  const auto same = [](double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
  };
  std::vector<double> values = {0,          -0.0,           1e-7,   -1e-7,       1e-6,
                                -4.5e-6,    9.999999e-6,    1e-5,   128 / 255.0, std::nextafter(0.50196, 0.0),
                                -2.9999999, 999999.9999999, 1e6,    -1e6 - 0.5,  1234567890.123456,
                                1e16,       -1e300,         5e-324, NAN,         INFINITY,
                                -INFINITY};
  std::mt19937_64 random(11);
  for (int i = 0; i < 50000; ++i) {
    const double scale = std::pow(10.0, static_cast<int>(random() % 16) - 7);
    const double decimal = std::round(std::uniform_real_distribution<double>(-1, 1)(random) * scale * 1e6) / 1e6;
    values.push_back(decimal);
    values.push_back(std::nextafter(decimal, -INFINITY));
    values.push_back(std::nextafter(decimal, INFINITY));
    values.push_back(std::uniform_real_distribution<double>(-1, 1)(random) * scale);
  }
  for (const double v : values) ASSERT_TRUE(same(NumberAsWritten(v), readBack(v))) << std::hexfloat << v;

  // The exports look numbers up in a memo: it must give the same, whether a
  // value is new, seen again, or pushed out by another with the same slot.
  NumberMemo memo;
  for (int pass = 0; pass < 2; ++pass)
    for (size_t i = 0; i < values.size(); ++i) {
      const double v = values[pass == 0 ? i : values.size() - 1 - i / 2];  // later: each one twice
      char text[kMaxNumberText];
      ASSERT_EQ(std::string(text, memo.Write(text, v)), FormatNumber(v)) << std::hexfloat << v;
      const float expected = static_cast<float>(NumberAsWritten(v)), got = memo.AsWritten(v);
      ASSERT_TRUE(std::memcmp(&got, &expected, sizeof got) == 0 || (std::isnan(got) && std::isnan(expected)))
          << std::hexfloat << v;
    }
}

// The face lines' indices are counted up as text: every carry (9 to 10,
// 999 to 1000) must give the number's own digits, and a reset starts again.
TEST(DecimalCounter, CountsAsTheNumbersAreWritten) {
  DecimalCounter counter;
  for (int round = 0; round < 2; ++round) {
    counter.Reset();
    for (int n = 0; n <= 120000; ++n) {
      char text[24];
      ASSERT_EQ(std::string(text, counter.Write(text)), std::to_string(n));
      counter.Increment();
    }
  }
}

TEST(MtlPath, OnlyTheExtensionChanges) {
  EXPECT_EQ(MtlPathFor("/a/b.c/scene.obj"), "/a/b.c/scene.mtl");
  EXPECT_EQ(MtlPathFor("/a/b.c/scene"), "/a/b.c/scene.mtl");
  EXPECT_EQ(MtlPathFor("x.OBJ"), "x.mtl");
}
}  // namespace
