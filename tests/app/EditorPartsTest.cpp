// Building an object from parts as a user does it: Edit > Align lines parts
// up and spaces them, P turns a group about its common centre, Edit >
// History goes back several steps at once, a duplicate follows the pointer
// until a click, and the exact-value boxes say their unit. Every result is
// read from the saved document. Runs scaled too.
#include <QLabel>
#include <QListWidget>
#include <QStatusBar>
#include <cmath>

#include "CommandRunner.h"
#include "EditorFixture.h"
#include "ExactValueBoxes.h"
#include "LatinText.h"
#include "PivotSetting.h"
#include "TBarraDeEstado.h"
#include "UndoHistoryDialog.h"

namespace {
Element3D Part(const char* name, double x, double width, double height = 2) {
  Element3D e = Cube(name, x);
  e.dx = width;
  e.dy = height;
  e.y = height / 2;
  return e;
}

class Parts : public EditorFixture {
 protected:
  std::vector<Element3D> Saved() {
    Key(Qt::Key_S, Qt::ControlModifier);
    return ReadElements(dir.file("doc.zobj3d"));
  }
  QString StatusLine() const { return window->Probe().StatusLine(); }
  // Edit > Align > the item of `id`, opened and clicked as a hand does.
  void PickAlign(CommandId id) {
    QAction* item = window->Commands().Action(id);
    QMenu* align = window->Commands().Menu(MenuPlace::Align);
    ASSERT_TRUE(item && align);
    Pick('E', align->menuAction());
    ASSERT_TRUE(Soon([align] { return QApplication::activePopupWidget() == align; }));
    QTest::mouseClick(align, Qt::LeftButton, Qt::NoModifier, align->actionGeometry(item).center());
    QApplication::processEvents();
  }
  // Everything in the view, a unit 20 to 32 pixels wide (8 pixels reach a
  // quarter to two fifths of one); nothing selected, the XZ mode.
  void Frame() {
    Key(Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_F);
    Key(Qt::Key_Escape);
    auto unitWide = [this] {
      window->RenderNow();
      const QPoint d = PixelOf(1, 1, 0) - PixelOf(0, 1, 0);
      return std::hypot(d.x(), d.y());
    };
    for (int k = 0; k < 8 && unitWide() > 32; ++k) Key(Qt::Key_Minus);
    ASSERT_LE(unitWide(), 32);
    ASSERT_GE(unitWide(), 20);
  }
};
}  // namespace

TEST_F(Parts, AlignAndDistributeFromTheMenuAreOneStepEach) {
  // A low part, a tall one (top at 4) and a narrow one far right.
  auto& w = OpenWith({Part("baixa", -4, 2), Part("alta", 0, 2, 4), Part("estreita", 9, 1)});
  Key(Qt::Key_Escape);
  ClickView(PixelOf(-4, 1, 1));
  ClickView(PixelOf(0, 2, 1), Qt::ShiftModifier);  // the tall one last: the one to align to
  ASSERT_EQ(w.Probe().SelectionCount(), 2);
  const int before = w.Probe().UndoCount();
  PickAlign(CommandId::AlignMaxY);
  // Undo takes it back in one step and says which; redo brings it again.
  EXPECT_EQ(w.Probe().UndoCount(), before + 1);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_TRUE(w.Probe().Message().contains(L1(Choose("alinhar", "align"))));
  EXPECT_EQ(+w.Probe().Element(0).y, 1);
  Key(Qt::Key_Y, Qt::ControlModifier);
  std::vector<Element3D> e = Saved();
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(+e[0].y, 3) << "its top level with the tall one's";
  EXPECT_EQ(+e[1].y, 2) << "the last selected stays";
  EXPECT_EQ(+e[0].x, -4);

  // Two selected cannot be spaced: the status line says what is missing.
  PickAlign(CommandId::DistributeX);
  EXPECT_TRUE(w.Probe().Message().contains(L1(Choose("tr\xEAs", "three"))));

  // All three: the middle one goes where the gaps come out equal.
  Key(Qt::Key_A, Qt::ControlModifier);
  const int steps = w.Probe().UndoCount();
  PickAlign(CommandId::DistributeX);
  EXPECT_EQ(w.Probe().UndoCount(), steps + 1);
  e = Saved();
  EXPECT_EQ(+e[0].x, -4);
  EXPECT_EQ(+e[2].x, 9);
  const double left = (+e[1].x - 1) - (-4 + 1), right = (9 - 0.5) - (+e[1].x + 1);
  EXPECT_NEAR(left, right, 1e-9);
  EXPECT_GT(left, 0);
}

TEST_F(Parts, PTurnsTwoPartsAboutTheirCommonCentreAsATableTurnsItsLegs) {
  auto& w = OpenWith({Part("perna1", -2, 1), Part("perna2", 2, 1), Part("fora", 8, 1)});
  EXPECT_TRUE(StatusLine().contains(L1(Choose("Piv\xF4: cada elemento", "Pivot: each element"))));
  Key(Qt::Key_P);
  EXPECT_TRUE(StatusLine().contains(L1(Choose("Piv\xF4: centro comum", "Pivot: common centre"))))
      << StatusLine().toStdString();
  EXPECT_TRUE(RememberedCommonPivot());
  Key(Qt::Key_Escape);
  ClickView(PixelOf(-2, 1, 0.5));
  ClickView(PixelOf(2, 1, 0.5), Qt::ShiftModifier);
  ASSERT_EQ(w.Probe().SelectionCount(), 2);
  // R, Z: a turn in the floor plane; eighteen arrow steps of 5 degrees.
  Key(Qt::Key_R);
  Key(Qt::Key_Z);
  for (int k = 0; k < 18; ++k) Key(Qt::Key_Right);
  std::vector<Element3D> e = Saved();
  ASSERT_EQ(e.size(), 3u);
  const double turned = +e[0].axz;
  ASSERT_EQ(std::fabs(turned), 90);
  EXPECT_EQ(+e[1].axz, turned) << "both turn alike";
  // A quarter turn about y carries (-2, 0) to (0, 2) the positive way.
  const double side = turned > 0 ? 1 : -1;
  EXPECT_NEAR(+e[0].x, 0, 1e-9);
  EXPECT_NEAR(+e[0].z, 2 * side, 1e-9);
  EXPECT_NEAR(+e[1].x, 0, 1e-9);
  EXPECT_NEAR(+e[1].z, -2 * side, 1e-9);
  EXPECT_EQ(+e[0].y, 1) << "in the floor plane";
  EXPECT_EQ(+e[2].x, 8);

  // A drag in the same mode carries both around the centre too, whatever
  // the angle comes out.
  ASSERT_EQ(w.Probe().SelectionCount(), 2);
  const QPoint from = PixelOf(0, 2, 2 * side);  // the first one's top
  QTest::mousePress(ViewOf(w), Qt::LeftButton, Qt::NoModifier, from);
  for (int k = 1; k <= 4; ++k) QTest::mouseMove(ViewOf(w), from + QPoint(12 * k, 0));
  QTest::mouseRelease(ViewOf(w), Qt::LeftButton, Qt::NoModifier, from + QPoint(48, 0));
  e = Saved();
  const double a = e[0].axz * 3.14159265358979323846 / 180;
  ASSERT_NE(+e[0].axz, turned) << "the drag turned them";
  EXPECT_EQ(+e[1].axz, +e[0].axz);
  EXPECT_NEAR(+e[0].x, -2 * std::cos(a), 1e-9);
  EXPECT_NEAR(+e[0].z, 2 * std::sin(a), 1e-9);
  EXPECT_NEAR(+e[1].x, 2 * std::cos(a), 1e-9);
  EXPECT_NEAR(+e[1].z, -2 * std::sin(a), 1e-9);

  // P again: each about its own centre, as before.
  Key(Qt::Key_P);
  EXPECT_FALSE(RememberedCommonPivot());
  const double x0 = e[0].x;
  Key(Qt::Key_Right);
  e = Saved();
  EXPECT_EQ(+e[0].x, x0) << "turned in place";
}

TEST_F(Parts, HistoryGoesBackToTheChosenStepAndRedoBringsItBack) {
  auto& w = OpenWith({Part("a", 0, 2), Part("b", 5, 1)});
  Key(Qt::Key_Escape);
  ClickView(PixelOf(0, 1, 1));
  Key(Qt::Key_M, Qt::ControlModifier);  // espelhar (in place: one alone)
  Key(Qt::Key_H);                       // visibilidade
  Key(Qt::Key_H, Qt::AltModifier);      // visibilidade
  ClickView(PixelOf(0, 1, 1));
  Key(Qt::Key_D, Qt::ControlModifier);  // duplicar
  Key(Qt::Key_Escape);                  // the copy one step aside
  ASSERT_EQ(w.Probe().Count(), 3);
  ASSERT_EQ(w.Probe().UndoCount(), 4);
  std::vector<std::string> shown;
  WhenModal([&shown](QWidget* modal) {
    auto* dialog = qobject_cast<UndoHistoryDialog*>(modal);
    if (!dialog) {
      modal->close();
      return;
    }
    for (int row = 0; row < dialog->List()->count(); ++row)
      shown.push_back(dialog->List()->item(row)->text().toStdString());
    // The third from the top: the hide.
    QListWidget* list = dialog->List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(2)).center());
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
      if (b->text() == L1(Choose("Voltar", "Go back"))) QTest::mouseClick(b, Qt::LeftButton);
  });
  Pick('E', w.Commands().Action(CommandId::History));
  ASSERT_TRUE(Soon([&] { return !shown.empty() && QApplication::activeModalWidget() == nullptr; }));
  Reactivate();
  ASSERT_GE(shown.size(), 3u);
  EXPECT_EQ(shown[0], L1(std::string("1. ") + Choose("duplicar", "duplicate")).toStdString());
  EXPECT_EQ(shown[1], L1(std::string("2. ") + Choose("visibilidade", "visibility")).toStdString());
  EXPECT_EQ(shown[2], L1(std::string("3. ") + Choose("visibilidade", "visibility")).toStdString());
  EXPECT_EQ(w.Probe().Count(), 2) << "the copy went";
  EXPECT_EQ(+w.Probe().Element(0).invisible, 0) << "back to before the hide";
  EXPECT_EQ(w.Probe().UndoCount(), 1) << "the mirror stays done";
  EXPECT_EQ(w.Probe().RedoCount(), 3);
  Key(Qt::Key_Y, Qt::ControlModifier);
  const std::vector<Element3D> e = Saved();
  ASSERT_EQ(e.size(), 2u);
  EXPECT_EQ(+e[0].invisible, 1) << "redo: the hide again";
}

// The copy moves with the pointer on the level of its centre, snapping as a
// drag does, until a click places it; Esc leaves it one step aside.
TEST_F(Parts, ADuplicateFollowsThePointerUntilAClick) {
  // The neighbour's left face at 4.3, off the 0.5 grid.
  auto& w = OpenWith({Part("original", 0, 2), Part("vizinho", 4.6, 0.6)});
  Frame();
  ClickView(PixelOf(0, 1, 1));
  MovePointer(PixelOf(0.5, 1, 0.5));
  const int steps = w.Probe().UndoCount();
  Key(Qt::Key_D, Qt::ControlModifier);
  ASSERT_EQ(w.Probe().Count(), 3);
  // 2.6 on: the copy's right face ends a fifth short of the neighbour.
  for (int k = 1; k <= 4; ++k) MovePointer(PixelOf(0.5 + 2.6 * k / 4, 1, 0.5));
  EXPECT_TRUE(Soon([&w] { return std::fabs(w.Probe().Element(2).x - 3.3) < 1e-9; }))
      << "flush with the neighbour, off the grid: " << +w.Probe().Element(2).x;
  ClickView(PixelOf(3.1, 1, 0.5));
  MovePointer(PixelOf(-6, 1, 0.5));
  EXPECT_EQ(w.Probe().UndoCount(), steps + 1) << "one step in all";
  // Undo takes the copy away in one step; redo brings it back where placed.
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.Probe().Count(), 2);
  Key(Qt::Key_Y, Qt::ControlModifier);
  std::vector<Element3D> e = Saved();
  ASSERT_EQ(e.size(), 3u);
  EXPECT_NEAR(+e[2].x, 3.3, 1e-9) << "the click placed it";
  EXPECT_EQ(+e[2].z, 0.5);
  EXPECT_EQ(+e[0].x, 0);

  // Esc: back one step aside of the one duplicated.
  ClickView(PixelOf(3.3, 1, 1.5));
  ASSERT_EQ(w.Probe().SelectionCount(), 1);
  MovePointer(PixelOf(3.8, 1, 1));
  Key(Qt::Key_D, Qt::ControlModifier);
  MovePointer(PixelOf(-3, 1, 4));
  EXPECT_TRUE(Soon([&w] { return +w.Probe().Element(3).x < 0; })) << "it follows";
  Key(Qt::Key_Escape);
  MovePointer(PixelOf(-5, 1, 3));
  e = Saved();
  ASSERT_EQ(e.size(), 4u);
  EXPECT_NEAR(+e[3].x, 3.8, 1e-9);
  EXPECT_EQ(+e[3].z, 1);
  EXPECT_EQ(w.Probe().SelectionCount(), 1) << "Esc kept the copy selected";
}

TEST_F(Parts, TheExactValueBoxesSayTheirUnit) {
  auto& w = OpenWith({Part("a", 0, 2)});
  int units = 0;
  for (QLabel* l : Child<ExactValueBoxes>(w, "ValoresExatos1")->findChildren<QLabel*>())
    if (l->text() == L1("\xD7 10 cm") && l->isVisible()) ++units;
  EXPECT_EQ(units, 2) << "one beside the position, one beside the size";
  Key(Qt::Key_Escape);
  ClickView(PixelOf(0, 1, 1));
  // 2 in the box, 20 cm on the status line: the same size.
  EXPECT_EQ(Child<ExactValueBoxes>(w, "ValoresExatos1")->Box(ExactField::DX)->text(), "2");
  EXPECT_TRUE(StatusLine().contains(L1("20 \xD7 20 \xD7 20 cm")));
}
