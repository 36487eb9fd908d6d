#include <bit>
#include <cmath>

#include "ScriptLibrary.h"

namespace {
TEST(Arithmetic, RoundingIsHalfToEvenAndModUsesRoundedOperands) {
  auto round = Fn<NumFn1>("zemoscriptROUND");
  EXPECT_EQ(round(2.5), 2.0);
  EXPECT_EQ(round(3.5), 4.0);
  EXPECT_EQ(round(-2.5), -2.0);
  EXPECT_DOUBLE_EQ(Fn<NumFn1>("zemoscriptFRAC")(-2.75), -0.75);
  auto mod = Fn<NumFn2>("zemoscriptMOD");
  EXPECT_EQ(mod(7.6, 3), 2.0);  // 8 mod 3
  EXPECT_EQ(mod(-7, 3), -1.0);
  EXPECT_EQ(mod(9, 2.5), 1.0);  // 9 mod 2
  // A divisor that rounds to 0 has no remainder: NaN, not a trap.
  EXPECT_TRUE(std::isnan(mod(5, 0.4)));
  EXPECT_EQ(mod(-9.2e18, -1), 0.0);
}

TEST(Arithmetic, EdgeValues) {
  EXPECT_EQ(Fn<NumFn1>("zemoscriptSGN")(0), 1.0);
  EXPECT_EQ(Fn<NumFn1>("zemoscriptSQRT")(-4), 0.0);
  EXPECT_DOUBLE_EQ(Fn<NumFn1>("zemoscriptLOG")(1000), 3.0);
  auto sdev = Fn<double(double, double, double)>("zemoscriptSDEV");
  EXPECT_DOUBLE_EQ(sdev(2, 4, 10), std::sqrt(2.0));
  EXPECT_DOUBLE_EQ(sdev(8, 40, 232), std::sqrt(32.0 / 7));  // 2 4 4 4 5 5 7 9
  EXPECT_EQ(sdev(1.4, 3, 9), 0.0);
  auto line = Fn<double(double, double, double, double, double)>("zemoscriptF1G");
  EXPECT_DOUBLE_EQ(line(0, 0, 10, 100, 5), 50.0);
  EXPECT_EQ(line(2, 1, 2, 9, 4), 0.0);
}

TEST(Arithmetic, NaNAndBooleans) {
  const double nan = Fn<NumFn0>("zemoscriptNAN")();
  EXPECT_EQ(std::bit_cast<uint64_t>(nan), 0xFFF8000000000000ULL);
  auto notFn = Fn<NumFn1>("zemoscriptNOT");
  EXPECT_EQ(notFn(0), 1.0);
  EXPECT_EQ(notFn(2), 0.0);
  EXPECT_EQ(notFn(nan), 0.0);
  auto isNan = Fn<NumFn1>("zemoscriptISNAN");
  EXPECT_EQ(isNan(nan) + isNan(std::nan("")), 2.0);
  EXPECT_EQ(isNan(INFINITY), 0.0);
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
  const std::pair<double, double> cases[] = {{5, 0},        {1.5, 1},       {1.1, 1}, {-3.125, 3},
                                             {0.000001, 6}, {0.1234567, 7}, {1e-9, 7}, {NAN, 0}};
  for (const auto& [x, expected] : cases) EXPECT_EQ(decimals(x), expected) << x;
}
}  // namespace
