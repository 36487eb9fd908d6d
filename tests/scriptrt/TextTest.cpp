#include "ScriptLibrary.h"

namespace {
TEST(TextFunctions, LengthOrdAndPositions) {
  EXPECT_EQ(OnText("zemoscriptLEN", "abcabc"), 6.0);
  EXPECT_EQ(Fn<TextNumFn>("zemoscriptLEN")(nullptr), 0.0);
  EXPECT_EQ(OnText("zemoscriptORD", "\xE9t\xE9"), 233.0);  // unsigned
  EXPECT_EQ(OnText("zemoscriptORD", ""), 0.0);
  TextVar text("abcabc"), a("a"), ca("ca"), empty;
  auto instr = Fn<double(ScriptText*, ScriptText*)>("zemoscriptINSTR");
  EXPECT_EQ(instr(text, ca), 3.0);
  EXPECT_EQ(instr(text, empty), 0.0);
  auto instrPos = Fn<double(double, ScriptText*, ScriptText*)>("zemoscriptINSTRPOS");
  const std::pair<double, double> starts[] = {{3, 4}, {3.5, 4}, {0, 0}, {5, 0}, {99, 0}};  // 3.5 starts at 4
  for (const auto& [start, expected] : starts) EXPECT_EQ(instrPos(start, text, a), expected) << start;
}

TEST(TextFunctions, ValReadsHexAndTolerantNumbers) {
  const std::pair<const char*, double> cases[] = {
      {"&HFF", 255}, {"&H7fffffff", 2147483647}, {"&HFFFFFFFF", -1}, {"&HXYZ", 0}, {"&H", 0}, {"3,25", 3.25}};
  for (const auto& [text, expected] : cases) EXPECT_EQ(OnText("zemoscriptVAL", text), expected) << text;
}

TEST(TextFunctions, TesteTextoUppercasesInPlaceAndSetsBothFields) {
  TextVar t("a\xE7\xE3o x1", 40);
  EXPECT_EQ(Fn<ScriptText*(ScriptText*)>("zemoscriptsTESTETEXTO")(t), t.Record());
  EXPECT_EQ(t.Value(), "A\xC7\xC3O X1");
  EXPECT_EQ(t.Record()->capacity, 7);
}
}  // namespace
