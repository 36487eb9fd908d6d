// Align, distribute and the common pivot on the document: what lines up
// with what, the gaps that come out equal, and a group turning as one body
// in the same sense its parts are drawn turning.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "document/AlignSelection.h"
#include "document/EditorDocument.h"
#include "document/ElementBox.h"
#include "document/PivotTurn.h"

namespace {
int32_t Add(EditorDocument& d, double x, double y, double z, double dx, double dy, double dz, double axy = 0) {
  d.templ = Element3D{};
  d.templ.x = x, d.templ.y = y, d.templ.z = z;
  d.templ.dx = dx, d.templ.dy = dy, d.templ.dz = dz;
  d.templ.axy = axy;
  d.templ.topPercent = 100;
  return d.AppendFromTemplate();
}

struct Box {
  double lo[3], hi[3];
};
Box BoxOf(EditorDocument& d, int32_t i) {
  Box b;
  TurnedBox(d.Element(i), b.lo, b.hi);
  return b;
}
}  // namespace

TEST(Align, LinesTheTurnedBoxesUpWithTheLastSelectedInOneStep) {
  EditorDocument d;
  const int32_t wide = Add(d, -5, 1, 3, 4, 2, 2);
  // Turned a quarter about z: 4 high and 2 wide as drawn.
  const int32_t lying = Add(d, 7, 2, -1, 4, 2, 2, 90);
  const int32_t target = Add(d, 1, 3, 0.5, 1, 1, 1);
  for (int32_t i : {wide, lying, target}) d.SelectElement(i);
  const Box before = BoxOf(d, target);

  ASSERT_TRUE(AlignSelection(d, 0, AlignEdge::Min));
  EXPECT_EQ(d.UndoCount(), 1);
  EXPECT_NEAR(BoxOf(d, wide).lo[0], before.lo[0], 1e-9);
  EXPECT_NEAR(BoxOf(d, lying).lo[0], before.lo[0], 1e-9);
  EXPECT_NEAR(+d.Element(lying).x, before.lo[0] + 1, 1e-9) << "by its drawn width, not its own dx";
  EXPECT_EQ(+d.Element(target).x, 1) << "the last selected stays";
  EXPECT_EQ(+d.Element(wide).z, 3) << "only along the axis";

  ASSERT_TRUE(AlignSelection(d, 1, AlignEdge::Max));
  EXPECT_NEAR(BoxOf(d, lying).hi[1], before.hi[1], 1e-9);
  EXPECT_NEAR(+d.Element(lying).y, before.hi[1] - 2, 1e-9);
  ASSERT_TRUE(AlignSelection(d, 2, AlignEdge::Centre));
  EXPECT_NEAR(+d.Element(wide).z, 0.5, 1e-9);
  EXPECT_NEAR(+d.Element(lying).z, 0.5, 1e-9);
  EXPECT_EQ(d.UndoCount(), 3);
  EXPECT_EQ(d.UndoStepNames().front(), StepName::Align);

  // Already aligned, or only one selected: no step.
  EXPECT_FALSE(AlignSelection(d, 2, AlignEdge::Centre));
  d.ClearSelection();
  d.SelectElement(wide);
  EXPECT_FALSE(AlignSelection(d, 0, AlignEdge::Max));
  EXPECT_EQ(d.UndoCount(), 3);

  ASSERT_TRUE(d.Undo());
  ASSERT_TRUE(d.Undo());
  ASSERT_TRUE(d.Undo());
  EXPECT_EQ(+d.Element(wide).x, -5);
  EXPECT_EQ(+d.Element(lying).y, 2);
}

TEST(Distribute, EqualGapsBetweenTheBoxesInTheirOrderWithTheEndsKept) {
  EditorDocument d;
  // Widths 2, 1, 3, 2; selected out of order, the middle ones crowded.
  const int32_t left = Add(d, 0, 1, 0, 2, 2, 2);    // -1..1
  const int32_t right = Add(d, 20, 1, 0, 2, 2, 2);  // 19..21
  const int32_t small = Add(d, 3, 1, 0, 1, 2, 2);   // 2.5..3.5
  const int32_t large = Add(d, 5, 1, 5, 3, 2, 2);   // 3.5..6.5
  for (int32_t i : {large, right, left, small}) d.SelectElement(i);
  ASSERT_TRUE(DistributeSelection(d, 0));
  EXPECT_EQ(d.UndoCount(), 1);
  EXPECT_EQ(+d.Element(left).x, 0);
  EXPECT_EQ(+d.Element(right).x, 20);
  // Span -1..21 holds 8 of boxes: 14 left over, three gaps of 14/3.
  const std::vector<int32_t> order = {left, small, large, right};
  for (size_t k = 0; k + 1 < order.size(); ++k)
    EXPECT_NEAR(BoxOf(d, order[k + 1]).lo[0] - BoxOf(d, order[k]).hi[0], 14.0 / 3, 1e-9) << k;
  EXPECT_EQ(+d.Element(large).z, 5);

  EXPECT_FALSE(DistributeSelection(d, 0)) << "already even: no step";
  EXPECT_EQ(d.UndoCount(), 1);
  d.ClearSelection();
  d.SelectElement(left);
  d.SelectElement(small);
  EXPECT_FALSE(DistributeSelection(d, 0)) << "two have no gap between ends to share";
}

TEST(Distribute, BoxesLongerThanTheSpanOverlapAlike) {
  EditorDocument d;
  const int32_t a = Add(d, 0, 1, 0, 2, 2, 2), b = Add(d, 1, 1, 0, 2, 2, 2), c = Add(d, 2, 1, 0, 4, 2, 2);
  for (int32_t i : {a, b, c}) d.SelectElement(i);
  ASSERT_TRUE(DistributeSelection(d, 0));
  // -1..4 holds 8 of boxes: each gap is -1.5.
  EXPECT_NEAR(BoxOf(d, b).lo[0] - BoxOf(d, a).hi[0], -1.5, 1e-9);
  EXPECT_NEAR(BoxOf(d, c).lo[0] - BoxOf(d, b).hi[0], -1.5, 1e-9);
}

// A part off the pivot, turned a quarter about each axis: its drawn box
// after is its drawn box before carried around the pivot by that quarter,
// the way the part itself turns as drawn.
TEST(Pivot, APartTurnsAboutThePivotAsItsPictureTurns) {
  const double pivot[3] = {1, 2, -1};
  for (int axis = 0; axis < 3; ++axis)
    for (const double quarter : {90.0, -90.0}) {
      Element3D before{};
      before.x = 4, before.y = 3, before.z = 1.5;
      before.dx = 1, before.dy = 2, before.dz = 3;
      Element3D turned = before;
      if (axis == 0) turned.ayz = before.ayz + quarter;
      if (axis == 1) turned.axz = before.axz + quarter;
      if (axis == 2) turned.axy = before.axy + quarter;
      const Element3D after = TurnedAboutPivot(before, turned, pivot);
      double lo[3], hi[3], lo2[3], hi2[3];
      TurnedBox(before, lo, hi);
      TurnedBox(after, lo2, hi2);
      // The before box's corners turned about the pivot, boxed again.
      double want_lo[3] = {1e9, 1e9, 1e9}, want_hi[3] = {-1e9, -1e9, -1e9};
      const double s = quarter > 0 ? 1 : -1;
      for (int corner = 0; corner < 8; ++corner) {
        double p[3];
        for (int a = 0; a < 3; ++a) p[a] = ((corner >> a) & 1 ? hi[a] : lo[a]) - pivot[a];
        const int u = (axis + 1) % 3, v = (axis + 2) % 3;
        const double pu = p[u], pv = p[v];
        p[u] = -s * pv, p[v] = s * pu;
        for (int a = 0; a < 3; ++a) {
          want_lo[a] = std::min(want_lo[a], p[a] + pivot[a]);
          want_hi[a] = std::max(want_hi[a], p[a] + pivot[a]);
        }
      }
      for (int a = 0; a < 3; ++a) {
        EXPECT_NEAR(lo2[a], want_lo[a], 1e-9) << "axis " << axis << " by " << quarter << " coordinate " << a;
        EXPECT_NEAR(hi2[a], want_hi[a], 1e-9) << "axis " << axis << " by " << quarter << " coordinate " << a;
      }
    }
  // No turn, no move: not even a rounding's worth (a drag would take a step).
  Element3D odd{};
  odd.x = 0.1 + 0.2;
  EXPECT_EQ(+TurnedAboutPivot(odd, odd, pivot).x, +odd.x);
}
