#include <bit>
#include <cmath>

#include "ScriptLibrary.h"

namespace {
TEST(Arithmetic, RoundingModAndDegenerateInputs) {
  const double nan = Fn<NumFn0>("zemoscriptNAN")();
  EXPECT_EQ(std::bit_cast<uint64_t>(nan), 0xFFF8000000000000ULL);
  struct Case {
    const char* function;
    double x, expected;
  };
  const Case oneArgument[] = {
      {"zemoscriptROUND", 2.5, 2},      {"zemoscriptROUND", 3.5, 4}, {"zemoscriptROUND", -2.5, -2},  // half to even
      {"zemoscriptFRAC", -2.75, -0.75}, {"zemoscriptSGN", 0, 1},     {"zemoscriptSQRT", -4, 0},
      {"zemoscriptLOG", 1000, 3},       {"zemoscriptNOT", 0, 1},     {"zemoscriptNOT", 2, 0},
      {"zemoscriptNOT", nan, 0},        {"zemoscriptISNAN", nan, 1}, {"zemoscriptISNAN", std::nan(""), 1},
      {"zemoscriptISNAN", INFINITY, 0}};
  for (const auto& [function, x, expected] : oneArgument)
    EXPECT_DOUBLE_EQ(Fn<NumFn1>(function)(x), expected) << function << "(" << x << ")";
  auto mod = Fn<NumFn2>("zemoscriptMOD");
  EXPECT_EQ(mod(7.6, 3), 2.0);  // 8 mod 3: operands are rounded
  EXPECT_EQ(mod(-7, 3), -1.0);
  EXPECT_EQ(mod(9, 2.5), 1.0);  // 9 mod 2
  // Divisors that would trap: NaN for one that rounds to 0, and INT64_MIN % -1.
  EXPECT_TRUE(std::isnan(mod(5, 0.4)));
  EXPECT_EQ(mod(-9.2e18, -1), 0.0);
  auto sdev = Fn<double(double, double, double)>("zemoscriptSDEV");
  EXPECT_DOUBLE_EQ(sdev(8, 40, 232), std::sqrt(32.0 / 7));  // 2 4 4 4 5 5 7 9
  EXPECT_EQ(sdev(1.4, 3, 9), 0.0) << "one value has no deviation";
  auto line = Fn<double(double, double, double, double, double)>("zemoscriptF1G");
  EXPECT_DOUBLE_EQ(line(0, 0, 10, 100, 5), 50.0);
  EXPECT_EQ(line(2, 1, 2, 9, 4), 0.0) << "vertical line";
}

TEST(Arithmetic, RandomNumbersStayBelowOne) {
  auto rnd = Fn<NumFn0>("zemoscriptRND");
  Fn<void()>("zemoscriptprocRANDOMIZE")();
  double sum = 0;
  for (int i = 0; i < 2000; ++i) {
    const double r = rnd();
    ASSERT_TRUE(r >= 0.0 && r < 1.0) << r;
    sum += r;
  }
  EXPECT_NEAR(sum / 2000, 0.5, 0.05);
}

TEST(Arithmetic, DecimalsCountUpToSeven) {
  auto decimals = Fn<NumFn1>("zemoscriptGETDECIMALS");
  const std::pair<double, double> cases[] = {{5, 0},        {1.5, 1},       {1.1, 1},  {-3.125, 3},
                                             {0.000001, 6}, {0.1234567, 7}, {1e-9, 7}, {NAN, 0}};
  for (const auto& [x, expected] : cases) EXPECT_EQ(decimals(x), expected) << x;
}
}  // namespace
