// Typed values, select-all, duplicate and the framing box: the document side
// of the editor's precision and selection tools.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "document/EditorDocument.h"
#include "document/ExactValues.h"
#include "document/SelectionTools.h"

namespace {
int32_t Add(EditorDocument& d, double x, double size = 2, bool invisible = false) {
  d.templ = Element3D{};
  d.templ.x = x;
  d.templ.dx = d.templ.dy = d.templ.dz = size;
  d.templ.invisible = invisible ? 1 : 0;
  return d.AppendFromTemplate();
}
}  // namespace

TEST(TypedNumbers, AcceptPointOrCommaAndRefuseWhatIsNoPlainNumber) {
  const struct {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"2,5", true, 2.5},
      {"2.5", true, 2.5},
      {" -0,125 ", true, -0.125},
      {"+3", true, 3},
      {",5", true, 0.5},
      {"7.", true, 7},
      {"-0", true, 0},
      {"1000000", true, 1e6},
      {"1000000.5", false, 0},
      {"1e3", false, 0},
      {"nan", false, 0},
      {"inf", false, 0},
      {"1,000.5", false, 0},
      {"2..5", false, 0},
      {"", false, 0},
      {"-", false, 0},
      {",", false, 0},
      {"12 5", false, 0},
      {"0x10", false, 0},
      {"0.0000000000000000000000000000001", false, 0},  // more digits than anyone types
  };
  for (const auto& c : cases) {
    double v = -99;
    EXPECT_EQ(ParseTypedNumber(c.text, &v), c.ok) << c.text;
    EXPECT_EQ(v, c.ok ? c.value : -99) << c.text;
    if (c.ok && v == 0) {
      EXPECT_FALSE(std::signbit(v)) << c.text << " shows no minus zero";
    }
  }
}

TEST(TypedNumbers, ShowSixDecimalsWithoutTrailingZeros) {
  EXPECT_EQ(FormatTypedNumber(2.5), "2.5");
  EXPECT_EQ(FormatTypedNumber(-3), "-3");
  EXPECT_EQ(FormatTypedNumber(1.0 / 3), "0.333333");
  EXPECT_EQ(FormatTypedNumber(0.0000004), "0");
  EXPECT_EQ(FormatTypedNumber(-0.0000004), "0");
  EXPECT_EQ(FormatTypedNumber(std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(FormatTypedNumber(-std::numeric_limits<double>::infinity()), "");
}

TEST(TypedNumbers, GoIntoEverySelectedElementAsOneUndoStep) {
  EditorDocument d;
  Add(d, 1), Add(d, 2), Add(d, 3);
  d.SelectElement(0), d.SelectElement(2);
  EXPECT_EQ(SetSelectedField(d, ExactField::X, "2,5"), ExactEdit::Applied);
  EXPECT_EQ(SetSelectedField(d, ExactField::DY, "0.75"), ExactEdit::Applied);
  EXPECT_EQ(SetSelectedField(d, ExactField::Axz, "12,5"), ExactEdit::Applied);
  EXPECT_EQ(+d.Element(0).x, 2.5);
  EXPECT_EQ(+d.Element(1).x, 2);
  EXPECT_EQ(+d.Element(2).x, 2.5);
  EXPECT_EQ(+d.Element(2).dy, 0.75);
  EXPECT_EQ(+d.Element(2).axz, 12.5);
  EXPECT_EQ(d.UndoCount(), 3);
  ASSERT_TRUE(d.Undo());
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(+d.Element(0).dy, 2);
  EXPECT_EQ(+d.Element(2).x, 2.5);
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(+d.Element(0).x, 1);
  EXPECT_EQ(+d.Element(2).x, 3);
}

TEST(TypedNumbers, RefusalsLeaveTheDocumentAndTheHistoryAlone) {
  EditorDocument d;
  Add(d, 1);
  EXPECT_EQ(SetSelectedField(d, ExactField::X, "4"), ExactEdit::NothingSelected);
  d.SelectElement(0);
  const struct {
    ExactField field;
    const char* text;
    ExactEdit result;
  } cases[] = {
      {ExactField::DX, "0", ExactEdit::SizeNotPositive}, {ExactField::DZ, "-1,5", ExactEdit::SizeNotPositive},
      {ExactField::Y, "abc", ExactEdit::NotANumber},     {ExactField::Z, "1e308", ExactEdit::NotANumber},
      {ExactField::Ayz, "NaN", ExactEdit::NotANumber},   {ExactField::X, "1", ExactEdit::Unchanged},
      {ExactField::DY, "2.000", ExactEdit::Unchanged},
  };
  for (const auto& c : cases) EXPECT_EQ(SetSelectedField(d, c.field, c.text), c.result) << c.text;
  EXPECT_EQ(d.UndoCount(), 0);
  EXPECT_EQ(+d.Element(0).dx, 2);
  EXPECT_EQ(+d.Element(0).x, 1);
}

TEST(SelectionTools, SelectAllTakesTheVisibleElementsOnce) {
  EditorDocument d;
  Add(d, 0), Add(d, 1, 2, true), Add(d, 2), Add(d, 3);
  d.SelectElement(2);
  EXPECT_EQ(SelectAllVisible(d), 2);
  ASSERT_EQ(d.SelectionCount(), 3);
  EXPECT_EQ(d.SelectedIndex(0), 2);
  EXPECT_EQ(d.SelectedIndex(1), 0);
  EXPECT_EQ(d.SelectedIndex(2), 3);
  EXPECT_FALSE(d.IsSelected(1));
  EXPECT_EQ(SelectAllVisible(d), 0);
  EXPECT_EQ(d.SelectionCount(), 3);
}

TEST(SelectionTools, SelectOnlyReplacesTheSelectionInTheOrderGivenWithoutRepeats) {
  EditorDocument d;
  Add(d, 0), Add(d, 1), Add(d, 2), Add(d, 3);
  d.SelectElement(1);
  EXPECT_EQ(SelectOnly(d, {3, -1, 0, 3, 4, 2, 0}), 2);
  ASSERT_EQ(d.SelectionCount(), 3);
  EXPECT_EQ(d.SelectedIndex(0), 3);
  EXPECT_EQ(d.SelectedIndex(1), 0);
  EXPECT_EQ(d.SelectedIndex(2), 2);
  EXPECT_FALSE(d.IsSelected(1));
  EXPECT_EQ(d.currentIndex, 2);
  EXPECT_EQ(SelectOnly(d, {7, -3}), -1);
  EXPECT_EQ(d.SelectionCount(), 0);
}

TEST(SelectionTools, DuplicateCopiesAsideSelectsTheCopiesAndUndoesInOneStep) {
  EditorDocument d;
  Add(d, 0), Add(d, 5), Add(d, 9);
  d.editStep[0] = 0.5, d.editStep[2] = 0.25;
  d.clipboard.SetCount(0);
  d.templ.x = 42;
  d.SelectElement(2), d.SelectElement(0);
  const Element3D templateBefore = d.templ;
  ASSERT_TRUE(DuplicateSelection(d));
  ASSERT_EQ(d.Count(), 5);
  EXPECT_EQ(+d.Element(3).x, 9.5);  // in the order of selection
  EXPECT_EQ(+d.Element(4).x, 0.5);
  EXPECT_EQ(+d.Element(3).z, 0.25);
  EXPECT_EQ(+d.Element(3).y, +d.Element(2).y);
  EXPECT_EQ(d.Element(3).name.str(), "cubo4");  // named afresh, as pasted copies are
  EXPECT_EQ(d.Element(4).name.str(), "cubo5");
  ASSERT_EQ(d.SelectionCount(), 2);
  EXPECT_EQ(d.SelectedIndex(0), 3);
  EXPECT_EQ(d.SelectedIndex(1), 4);
  EXPECT_EQ(d.clipboard.Count(), 0);
  EXPECT_EQ(+d.templ.x, +templateBefore.x);
  EXPECT_EQ(d.UndoCount(), 1);
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(d.Count(), 3);
  d.ClearSelection();
  EXPECT_FALSE(DuplicateSelection(d));
  EXPECT_EQ(d.UndoCount(), 0);
}

TEST(SelectionTools, FramingBoxHoldsTheSelectionOrElseEveryVisibleElement) {
  EditorDocument d;
  EXPECT_FALSE(FramingBounds(d, nullptr));
  Add(d, -10), Add(d, 20, 4), Add(d, 100, 2, true);
  const int32_t broken = Add(d, 0);
  d.Element(broken).y = std::numeric_limits<double>::quiet_NaN();
  Bounds b{};
  ASSERT_TRUE(FramingBounds(d, &b));
  EXPECT_DOUBLE_EQ(b.min[0], -10 - 1);
  EXPECT_DOUBLE_EQ(b.max[0], 20 + 2);  // the invisible one at 100 and the broken one are left out
  EXPECT_DOUBLE_EQ(b.max[1], 2);
  d.SelectElement(0);
  ASSERT_TRUE(FramingBounds(d, &b));
  EXPECT_DOUBLE_EQ(b.max[0], -10 + 1);
  d.ClearSelection();
  d.SelectElement(broken);
  EXPECT_FALSE(FramingBounds(d, &b));

  // A turned element is held as it is drawn: a 4 x 1 x 2 plank turned a
  // quarter about y lies 2 wide in x and 4 deep in z, a tilt about x raises
  // its depth, and an eighth of a turn widens it to the diagonal.
  const int32_t plank = Add(d, 0);
  Element3D& e = d.Element(plank);
  e.y = 0, e.dx = 4, e.dy = 1, e.dz = 2;
  d.ClearSelection();
  d.SelectElement(plank);
  const struct {
    double axy, axz, ayz;
    double half[3];
  } turns[] = {{0, 90, 0, {1, 0.5, 2}},
               {0, 0, 90, {2, 1, 0.5}},
               {90, 0, 0, {0.5, 2, 1}},
               {0, 45, 0, {1.5 * std::sqrt(2.0), 0.5, 1.5 * std::sqrt(2.0)}}};
  for (const auto& t : turns) {
    e.axy = t.axy, e.axz = t.axz, e.ayz = t.ayz;
    ASSERT_TRUE(FramingBounds(d, &b));
    for (int a = 0; a < 3; ++a) {
      EXPECT_NEAR(b.max[a], t.half[a], 1e-12) << t.axy << " " << t.axz << " " << t.ayz << " axis " << a;
      EXPECT_NEAR(b.min[a], -t.half[a], 1e-12) << t.axy << " " << t.axz << " " << t.ayz << " axis " << a;
    }
  }
}
