// Snapping as a user meets it: a part dragged near another lies flush with
// it, off the grid, while the button shows what it snapped to; Shift+Tab in
// the view switches it off (the status line says so, the next start
// remembers), and the same drag then keeps the grid. Runs scaled too.
#include <QStatusBar>
#include <cmath>

#include "EditorFixture.h"
#include "LatinText.h"
#include "SnapSetting.h"
#include "TBarraDeEstado.h"

namespace {
Element3D Part(const char* name, double x, double width) {
  Element3D e = Cube(name, x);
  e.dx = width;
  return e;
}

class Snap : public EditorFixture {
 protected:
  // Presses on the left part's top, moves there as a hand does, and tells
  // whether an outline showed while the button was held.
  bool DragAlongX(double from, double to) {
    const QPoint a = PixelOf(from, 2, 0.3), b = PixelOf(to, 2, 0.3);
    QTest::mousePress(ViewOf(*window), Qt::LeftButton, Qt::NoModifier, a);
    for (int k = 1; k <= 6; ++k) QTest::mouseMove(ViewOf(*window), a + (b - a) * k / 6);
    const bool outlined = window->Probe().SnapOutlineShown();
    QTest::mouseRelease(ViewOf(*window), Qt::LeftButton, Qt::NoModifier, b);
    QApplication::processEvents();
    EXPECT_FALSE(window->Probe().SnapOutlineShown()) << "the outline goes with the button";
    return outlined;
  }
  double SavedX(int i) {
    Key(Qt::Key_S, Qt::ControlModifier);
    const std::vector<Element3D> saved = ReadElements(dir.file("doc.zobj3d"));
    return static_cast<size_t>(i) < saved.size() ? +saved[static_cast<size_t>(i)].x : NAN;
  }
  QString StatusLine() const { return window->Probe().StatusLine(); }
  // Both parts in the view, a unit at most 32 pixels wide (so 8 pixels
  // reach past a fifth of one); the X axis chosen.
  void Frame() {
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_F);
    Key(Qt::Key_Escape);
    Key(Qt::Key_X);
    auto unitWide = [this] {
      ViewOf(*window)->grabFramebuffer();
      const QPoint d = PixelOf(1, 2, 0.3) - PixelOf(0, 2, 0.3);
      return std::hypot(d.x(), d.y());
    };
    for (int k = 0; k < 8 && unitWide() > 32; ++k) Key(Qt::Key_Minus);
    const double unit = unitWide();
    ASSERT_LE(unit, 32);
    ASSERT_GE(unit, 20) << "a pixel must stay well under the fifth";
  }
};
}  // namespace

TEST_F(Snap, AGrabEndingAFifthShortLiesFlushAndKeepsTheGridWithSnappingOff) {
  // The right part's left face at x = 4.3, off the 0.5 grid.
  const std::vector<Element3D> parts = {Part("esquerda", 0, 2), Part("direita", 4.6, 0.6)};
  auto* w = &OpenWith(parts);
  Frame();
  EXPECT_TRUE(StatusLine().contains(L1(Choose("Encaixe: ligado", "Snap: on")))) << StatusLine().toStdString();

  // Shift+Tab in the view: off, said on the status line; the keys stay on
  // the view. The left part's right face dragged from 1 toward 4.1, a fifth
  // short, keeps the grid.
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), ViewOf(*w)) << "Shift+Tab did not walk the focus away";
  EXPECT_TRUE(StatusLine().contains(L1(Choose("Encaixe: desligado", "Snap: off")))) << StatusLine().toStdString();
  EXPECT_FALSE(DragAlongX(0.2, 3.3));
  EXPECT_EQ(SavedX(0), 3.0) << "the grid";

  // The next start remembers it off; Shift+Tab turns it on, and the same
  // drag lies flush with the neighbour, off the grid, outlining it.
  EXPECT_FALSE(RememberedSnapping());
  w = &OpenWith(parts);
  EXPECT_TRUE(StatusLine().contains(L1(Choose("Encaixe: desligado", "Snap: off"))));
  Frame();
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(RememberedSnapping());
  EXPECT_TRUE(StatusLine().contains(L1(Choose("Encaixe: ligado", "Snap: on"))));
  EXPECT_TRUE(DragAlongX(0.2, 3.3)) << "what it snapped to is outlined";
  EXPECT_NEAR(SavedX(0), 3.3, 1e-9) << "flush with the neighbour, off the grid";
  EXPECT_EQ(SavedX(1), 4.6) << "the neighbour stays";
}

// A hidden part does not pull, nor one far off on another axis: the drag
// keeps the grid.
TEST_F(Snap, HiddenAndFarPartsDoNotPull) {
  Element3D hidden = Part("escondida", 4.6, 0.6), far = Part("longe", 4.6, 0.6);
  hidden.invisible = 1;
  far.z = -6;
  OpenWith({Part("esquerda", 0, 2), hidden, far});
  Frame();
  EXPECT_FALSE(DragAlongX(0.2, 3.3));
  EXPECT_EQ(SavedX(0), 3.0);
}

// The status line measures the selection in centimetres (a unit is 10 cm),
// and the gap between two parts.
TEST_F(Snap, TheStatusLineMeasuresTheSelectionAndTheGap) {
  auto& w = OpenWith({Part("esquerda", 0, 2), Part("direita", 4.6, 0.6)});
  ClickView(PixelOf(0, 1, 1));
  EXPECT_TRUE(StatusLine().contains(L1("20 \xD7 20 \xD7 20 cm"))) << StatusLine().toStdString();
  EXPECT_TRUE(StatusLine().contains(L1(Choose("centro (0, 10, 0)", "centre (0, 10, 0)"))));
  ClickView(PixelOf(4.6, 1, 1), Qt::ShiftModifier);
  ASSERT_EQ(w.Probe().SelectionCount(), 2);
  EXPECT_TRUE(StatusLine().contains(L1("59 \xD7 20 \xD7 20 cm"))) << StatusLine().toStdString();
  EXPECT_TRUE(StatusLine().contains(L1(Choose("dist\xE2ncia (33, 0, 0)", "gap (33, 0, 0)"))));
}
