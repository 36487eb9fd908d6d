// Ctrl+M as a user meets it: the selection mirrored along the chosen axis
// about its centre, in one undo step, read back from the saved document.
#include <algorithm>
#include <cmath>

#include "EditorFixture.h"
#include "document/ElementBox.h"

namespace {
class Mirror : public EditorFixture {
 protected:
  std::vector<Element3D> Saved() {
    Key(Qt::Key_S, Qt::ControlModifier);
    return ReadElements(dir.file("doc.zobj3d"));
  }
};
}  // namespace

TEST_F(Mirror, CtrlMMirrorsTheSelectionAboutItsCentre) {
  // A leaning leg at x = -4 and a tapered post at x = 2 (to x = 3).
  Element3D leg = Cube("perna", -4), post = Cube("poste", 2);
  leg.axy = 20;  // leans about z
  leg.dx = 2;
  post.topPercent = 60;
  auto& w = OpenWith({leg, post, Cube("fora", 9)});
  Key(Qt::Key_Escape);  // XZ: along X
  ClickView(PixelOf(-4, 1, 1));
  ClickView(PixelOf(2, 1, 1), Qt::ShiftModifier);  // the third stays out
  ASSERT_EQ(w.Probe().SelectionCount(), 2);
  const int steps = w.Probe().UndoCount();
  double lo[3], hi[3];
  TurnedBox(w.Probe().Element(0), lo, hi);
  const double centre = (lo[0] + 3.0) / 2;
  Key(Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(w.Probe().UndoCount(), steps + 1);
  std::vector<Element3D> e = Saved();
  ASSERT_EQ(e.size(), 3u);
  EXPECT_NEAR(+e[0].x, 2 * centre + 4, 1e-9) << "the leg goes to the other side";
  EXPECT_NEAR(+e[1].x, 2 * centre - 2, 1e-9);
  EXPECT_EQ(+e[0].axy, -20) << "and leans the other way";
  EXPECT_EQ(+e[0].y, 1);
  EXPECT_EQ(+e[2].x, 9) << "the unselected stays";

  // Along Y the tapered post stands on its narrow end; twice gives it back.
  Key(Qt::Key_Escape);
  ClickView(PixelOf(2 * centre - 2, 1, 1));
  ASSERT_EQ(w.Probe().SelectionCount(), 1);
  Key(Qt::Key_Y);
  Key(Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(+w.Probe().Element(1).y, 1) << "about its own centre";
  EXPECT_EQ(std::fmod(+w.Probe().Element(1).ayz + 360, 360), 180);
  Key(Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(std::fmod(+w.Probe().Element(1).ayz + 360, 360), 0);
}
