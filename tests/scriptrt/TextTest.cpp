#include "ScriptLibrary.h"

namespace {
TEST(TextFunctions, LengthOrdAndPositions) {
  TextVar text("abcabc"), a("a"), ca("ca"), empty, accented("\xE9t\xE9");
  EXPECT_EQ(Fn<TextNumFn>("zemoscriptLEN")(text), 6.0);
  EXPECT_EQ(Fn<TextNumFn>("zemoscriptLEN")(nullptr), 0.0);
  EXPECT_EQ(Fn<TextNumFn>("zemoscriptORD")(accented), 233.0);  // unsigned
  EXPECT_EQ(Fn<TextNumFn>("zemoscriptORD")(empty), 0.0);
  auto instr = Fn<double(ScriptText*, ScriptText*)>("zemoscriptINSTR");
  EXPECT_EQ(instr(text, ca), 3.0);
  EXPECT_EQ(instr(text, empty), 0.0);
  auto instrPos = Fn<double(double, ScriptText*, ScriptText*)>("zemoscriptINSTRPOS");
  EXPECT_EQ(instrPos(3, text, a), 4.0);
  EXPECT_EQ(instrPos(0, text, a), 0.0);
  EXPECT_EQ(instrPos(3.5, text, a), 4.0);  // start 4
  EXPECT_EQ(instrPos(5, text, a), 0.0);
  EXPECT_EQ(instrPos(99, text, a), 0.0);
}

TEST(TextFunctions, ValReadsHexAndTolerantNumbers) {
  auto val = Fn<TextNumFn>("zemoscriptVAL");
  const std::pair<const char*, double> cases[] = {
      {"&HFF", 255},  {"&H7fffffff", 2147483647}, {"&HFFFFFFFF", -1}, {"&HXYZ", 0}, {"&H", 0},
      {"3,25", 3.25}, {" -1e3 ", -1000},          {"12\xB1" "0.5", 12}};
  for (const auto& [text, expected] : cases) {
    TextVar t(text);
    EXPECT_EQ(val(t), expected) << text;
  }
}

TEST(TextFunctions, TesteTextoUppercasesInPlaceAndSetsBothFields) {
  TextVar t("a\xE7\xE3o x1", 40);
  EXPECT_EQ(Fn<ScriptText*(ScriptText*)>("zemoscriptsTESTETEXTO")(t), t.Record());
  EXPECT_EQ(t.Value(), "A\xC7\xC3O X1");
  EXPECT_EQ(t.Record()->capacity, 7);
}
}  // namespace
