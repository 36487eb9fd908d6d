// The hand's tools as a user meets them: a grabbed point stays under the
// pointer, arrows move the picture their way, F fills the view, and Esc
// takes back a B. The same tests run on a
// scaled desktop (see CMakeLists.txt): events go to widget positions, the
// frame is measured in framebuffer pixels.
#include <QStyleHints>
#include <algorithm>
#include <cmath>

#include "EditorFixture.h"
#include "controls/TSBM.h"
#include "gl/GLView.h"

namespace {
struct P3 {
  double x, y, z;
  P3 operator+(const P3& o) const { return {x + o.x, y + o.y, z + o.z}; }
};

Element3D Block(const char* name, P3 at, P3 size) {
  Element3D e = Cube(name, at.x);
  e.y = at.y, e.z = at.z;
  e.dx = size.x, e.dy = size.y, e.dz = size.z;
  return e;
}

class Grab : public EditorFixture {
 protected:
  QPointF Frame(P3 p) {
    double x = 0, y = 0;
    const double at[3] = {p.x, p.y, p.z};
    EXPECT_TRUE(ProjectToPixel(window->Probe().View(), at, x, y));
    return {x, y};
  }
  QPoint Widget(P3 p) { return PixelOf(p.x, p.y, p.z); }
  P3 Centre(int i) {
    const Element3D e = window->Probe().Element(i);
    return {e.x, e.y, e.z};
  }
  // Press at `from`, move there in steps as a hand does, release.
  void Drag(QPoint from, QPoint to, int steps = 6) {
    QTest::mousePress(ViewOf(*window), Qt::LeftButton, Qt::NoModifier, from);
    for (int k = 1; k <= steps; ++k) QTest::mouseMove(ViewOf(*window), from + (to - from) * k / steps);
    QTest::mouseRelease(ViewOf(*window), Qt::LeftButton, Qt::NoModifier, to);
    QApplication::processEvents();
  }
  // How far apart on the screen one edit step around `p` may put two points.
  double StepOnScreen(P3 p) {
    const double s = window->Probe().EditStep(0);
    const QPointF o = Frame(p);
    double most = 0;
    for (P3 d : {P3{s, 0, 0}, P3{0, s, 0}, P3{0, 0, s}}) {
      const QPointF q = Frame(p + d) - o;
      most = std::max(most, std::hypot(q.x(), q.y()));
    }
    return most;
  }
  // Whether the point `pressed`, carried as element `i` was carried since
  // `before`, is drawn under the widget position `pointer`.
  void ExpectUnderPointer(int i, P3 before, P3 pressed, QPoint pointer, const char* what) {
    ViewOf(*window)->grabFramebuffer();
    const P3 now = Centre(i);
    const P3 carried{pressed.x + now.x - before.x, pressed.y + now.y - before.y, pressed.z + now.z - before.z};
    const QPointF at = Frame(carried), want = ViewOf(*window)->ToPixels(pointer);
    EXPECT_LE(std::hypot(at.x() - want.x(), at.y() - want.y()), StepOnScreen(carried) + 1)
        << what << ": drawn at " << at.x() << "," << at.y() << ", pointer at " << want.x() << "," << want.y();
  }
  // The larger of the element's shares of the panel's width and height.
  double ShareOfView(int i) {
    ViewOf(*window)->grabFramebuffer();
    const Element3D e = window->Probe().Element(i);
    double lo[2] = {1e9, 1e9}, hi[2] = {-1e9, -1e9};
    for (int c = 0; c < 8; ++c) {
      const QPointF p = Frame(
          {e.x + (c & 1 ? 0.5 : -0.5) * e.dx, e.y + (c & 2 ? 0.5 : -0.5) * e.dy, e.z + (c & 4 ? 0.5 : -0.5) * e.dz});
      lo[0] = std::min(lo[0], p.x()), hi[0] = std::max(hi[0], p.x());
      lo[1] = std::min(lo[1], p.y()), hi[1] = std::max(hi[1], p.y());
    }
    return std::max((hi[0] - lo[0]) / ViewOf(*window)->Width(), (hi[1] - lo[1]) / ViewOf(*window)->Height());
  }
};
}  // namespace

// Grabbed on the top or on a side, moved on the floor or along one axis,
// the point pressed ends under the pointer (within a step); a small first
// move does not jump, and the drag is one undo step.
TEST_F(Grab, ThePressedPointStaysUnderThePointer) {
  auto& w = OpenWith({Block("mesa", {0, 2, 0}, {4, 4, 4})});
  const struct {
    const char* what;
    Qt::Key axis;  // Esc: the floor (XZ)
    P3 pressed;
    P3 toward;  // where the pointer goes, as a point it should carry
  } cases[] = {
      {"top, on the floor", Qt::Key_Escape, {0.6, 4, 0.4}, {3.1, 4, -2.7}},
      {"side, on the floor", Qt::Key_Escape, {0.7, 2.6, 2}, {-3.4, 2.6, 4.3}},
      {"side, along x", Qt::Key_X, {2, 2.2, 0.8}, {5.2, 2.2, 0.8}},
      {"top, along y", Qt::Key_Y, {0.4, 4, -0.3}, {0.4, 6.3, -0.3}},
      {"side, along z", Qt::Key_Z, {1.1, 1.5, 2}, {1.1, 1.5, -1.6}},
  };
  P3 lastStart{};
  for (const auto& c : cases) {
    Key(Qt::Key_Escape);
    Key(c.axis);
    const P3 before = Centre(0);
    lastStart = before;
    const P3 offset{before.x, before.y - 2, before.z};  // the cases are drawn about (0, 2, 0)
    const P3 pressed = c.pressed + offset;
    const QPoint from = Widget(pressed);
    // A first small move does not jump.
    QTest::mousePress(ViewOf(w), Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(ViewOf(w), from + QPoint(2, 1));
    EXPECT_EQ(+w.Probe().Element(0).x, before.x) << c.what;
    EXPECT_EQ(+w.Probe().Element(0).z, before.z) << c.what;
    QTest::mouseRelease(ViewOf(w), Qt::LeftButton, Qt::NoModifier, from + QPoint(2, 1));
    ASSERT_EQ(w.Probe().SelectionCount(), 1) << c.what << ": the press missed the element";

    const QPoint to = Widget(c.toward + offset);
    const int undo = w.Probe().UndoCount();
    Drag(from, to);
    ExpectUnderPointer(0, before, pressed, to, c.what);
    EXPECT_EQ(w.Probe().UndoCount(), undo + 1) << c.what;
  }
  // One undo takes the last drag (along z) back whole.
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(+w.Probe().Element(0).z, lastStart.z);
  EXPECT_EQ(+w.Probe().Element(0).y, lastStart.y);
}

// A resize moves the grabbed face with the pointer and leaves the other
// (never collapsing the element); a turn follows the pointer, by steps of
// five times the edit step, and comes back with it.
TEST_F(Grab, AResizeMovesTheGrabbedFaceAndATurnFollowsThePointer) {
  auto& w = OpenWith({Block("mesa", {0, 2, 0}, {4, 4, 4})});
  Key(Qt::Key_S);
  Key(Qt::Key_X);
  Drag(Widget({2, 2.5, 0.5}), Widget({3.5, 2.5, 0.5}));
  auto e = [&w] { return w.Probe().Element(0); };  // the element as it stands now
  EXPECT_NEAR(e().x + e().dx / 2, 3.5, 0.26) << "the grabbed face";
  Drag(Widget({3.5, 2.5, 0.5}), Widget({0, 2.5, 0.5}));  // onto the middle: the width would be 0
  EXPECT_EQ(+e().dx, 1.0) << "twice the step instead";
  Key(Qt::Key_Y);
  const double bottom = e().y - e().dy / 2;
  Drag(Widget({0, 4, 0}), Widget({0, 5, 0}));
  EXPECT_NEAR(e().y + e().dy / 2, 5, 0.26) << "the top";
  EXPECT_EQ(e().y - e().dy / 2, bottom) << "the bottom stays";

  Key(Qt::Key_Escape);  // the floor: a turn changes ayz
  Key(Qt::Key_R);
  const QPoint from = Widget({0, 5, 0});
  QTest::mousePress(ViewOf(w), Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(ViewOf(w), from + QPoint(40, 0));
  const double turned = e().ayz;
  EXPECT_NE(turned, 0);
  EXPECT_EQ(std::fmod(turned, 2.5), 0);
  QTest::mouseMove(ViewOf(w), from + QPoint(80, 0));
  EXPECT_GT(std::fabs(+e().ayz), std::fabs(turned)) << "farther, more";
  QTest::mouseMove(ViewOf(w), from);
  QTest::mouseRelease(ViewOf(w), Qt::LeftButton, Qt::NoModifier, from);
  EXPECT_EQ(+e().ayz, 0) << "back at the press, back as it was";
}

// In every view, each arrow moves the selection's picture its way: on the
// floor always, along X, Y or Z wherever that axis runs the arrow's way.
TEST_F(Grab, ArrowsMoveThePictureTheirWayInEveryView) {
  auto& w = OpenWith({Block("a", {1, 1, -1}, {2, 2, 2})});
  ClickListRow(0);
  const struct {
    Qt::Key key;
    QPointF way;
  } arrows[] = {{Qt::Key_Right, {1, 0}}, {Qt::Key_Left, {-1, 0}}, {Qt::Key_Up, {0, -1}}, {Qt::Key_Down, {0, 1}}};
  for (Qt::Key viewKey : {Qt::Key_Home, Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4}) {
    for (Qt::Key axis : {Qt::Key_Escape, Qt::Key_X, Qt::Key_Y, Qt::Key_Z}) {
      Key(axis);
      if (axis == Qt::Key_Escape) ClickListRow(0);  // Esc let the selection go
      Key(viewKey);
      ViewOf(w)->grabFramebuffer();  // the view's matrices; the arrows change no camera
      for (const auto& a : arrows) {
        const QPointF before = Frame(Centre(0));
        Key(a.key);
        const QPointF moved = Frame(Centre(0)) - before;
        const double along = moved.x() * a.way.x() + moved.y() * a.way.y(), length = std::hypot(moved.x(), moved.y());
        const std::string what = "view key " + std::to_string(viewKey) + ", axis key " + std::to_string(axis) +
                                 ", arrow " + std::to_string(a.key);
        if (axis == Qt::Key_Escape) {
          EXPECT_GT(along, 0.3 * length) << what;
        } else if (length > 2 && std::fabs(along) > 0.5 * length) {
          EXPECT_GT(along, 0) << what;
        }
      }
    }
  }
}

// F fills 80 to 90 % of the view's width or height with the selection, a
// long table as a small vase. (The orthographic projection, which the
// window offers no control for, is framed in the view layer's tests.)
TEST_F(Grab, FrameFillsMostOfTheView) {
  OpenWith({Block("mesa", {10, 1.5, -20}, {12, 3, 5}), Block("vaso", {-3, 0.5, 2}, {1, 1, 1})});
  for (int i : {0, 1, 0}) {
    ClickListRow(i);
    Key(Qt::Key_F);
    const double share = ShareOfView(i);
    EXPECT_GE(share, 0.8) << i;
    EXPECT_LE(share, 0.9) << i;
  }
}

// B, then Esc: the next click selects as it would without B.
TEST_F(Grab, EscTakesBackABoxSelection) {
  auto& w = OpenWith({Cube("a", -4), Cube("b", 4)});
  Key(Qt::Key_B);
  Key(Qt::Key_Escape);
  ClickView(PixelOf(4, 2, 0));
  ASSERT_EQ(w.Probe().SelectionCount(), 1);
  EXPECT_EQ(w.Probe().SelectedIndex(0), 1);
  Key(Qt::Key_B);
  Key(Qt::Key_Escape);
  ClickView(PixelOf(-4, 2, 0));
  ClickView(PixelOf(4, 2, 0), Qt::ShiftModifier);
  EXPECT_EQ(w.Probe().SelectionCount(), 2);
}
