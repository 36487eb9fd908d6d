#include <gtest/gtest.h>

#include "export/FormatNumber.h"
#include "export/ObjExport.h"

namespace {
TEST(FormatNumber, CutsToSixDecimalsWithoutRounding) {
  EXPECT_EQ(FormatNumber(2), "2");
  EXPECT_EQ(FormatNumber(0.5), "0.5");
  EXPECT_EQ(FormatNumber(-1.2345678), "-1.234567");
  EXPECT_EQ(FormatNumber(128 / 255.0), "0.50196");
  EXPECT_EQ(FormatNumber(0.1234567), "0.123456");
  EXPECT_EQ(FormatNumber(0.9999999), "0.999999");
  EXPECT_EQ(FormatNumber(1e-7), "0");
  EXPECT_EQ(FormatNumber(-1e-7), "0");  // no "-0"
  EXPECT_EQ(FormatNumber(-0.0), "0");
  EXPECT_EQ(FormatNumber(-250), "-250");
  EXPECT_EQ(FormatNumber(0.1), "0.1");  // the stored 0.1000000000000000055 stays 0.1
}

TEST(FormatNumber, ExponentOnlyForTinyAndHugeMagnitudes) {
  EXPECT_EQ(FormatNumber(0.00001), "0.00001");
  EXPECT_EQ(FormatNumber(0.0000567), "0.000056");
  EXPECT_EQ(FormatNumber(0.000001), "1E-6");
  EXPECT_EQ(FormatNumber(-0.0000045), "-4E-6");
  EXPECT_EQ(FormatNumber(123456789012345.0), "123456789012345");
  EXPECT_EQ(FormatNumber(1e16), "1E16");
  // Fifteen significant digits at most.
  EXPECT_EQ(FormatNumber(123456789.123456), "123456789.123456");
  EXPECT_EQ(FormatNumber(1234567890.123456), "1234567890.12346");
}

TEST(FormatNumber, AppendsWithoutDisturbingTheText) {
  std::string s = "v ";
  AppendNumber(s, 1.5);
  s += ' ';
  AppendNumber(s, -3);
  EXPECT_EQ(s, "v 1.5 -3");
}

TEST(MtlPath, OnlyTheExtensionChanges) {
  EXPECT_EQ(MtlPathFor("/a/b.c/scene.obj"), "/a/b.c/scene.mtl");
  EXPECT_EQ(MtlPathFor("/a/b.c/scene"), "/a/b.c/scene.mtl");
  EXPECT_EQ(MtlPathFor("x.OBJ"), "x.mtl");
}
}  // namespace
