// Hiding and showing as a user does it: H, Shift+H and Alt+H on the view,
// each one undo step, read back from the saved document; hidden elements
// stay in the list, greyed.
#include <QListView>
#include <QStatusBar>

#include "EditorFixture.h"
#include "LatinText.h"

namespace {
class Hide : public EditorFixture {
 protected:
  std::vector<int> SavedHidden() {
    Key(Qt::Key_S, Qt::ControlModifier);
    std::vector<int> flags;
    for (const Element3D& e : ReadElements(dir.file("doc.zobj3d"))) flags.push_back(e.invisible);
    return flags;
  }
  // The list row's picture: whether its text is drawn in the same colour
  // as a shown row's (a hidden one is greyed).
  QImage Row(int row) {
    QListView* list = Child<QListView>(*window, "Lista1");
    list->viewport()->repaint();
    return list->viewport()->grab(list->visualRect(list->model()->index(row, 0))).toImage();
  }
};
}  // namespace

TEST_F(Hide, HShiftHAndAltHHideAndShowInOneStepEach) {
  auto& w = OpenWith({Cube("a", -4), Cube("b", 0), Cube("c", 4)});
  const QImage shownRow = Row(0);
  ClickView(PixelOf(-4, 2, 0));
  ASSERT_EQ(w.Probe().SelectionCount(), 1);
  const int steps = w.Probe().UndoCount();
  Key(Qt::Key_H);
  EXPECT_EQ(w.Probe().UndoCount(), steps + 1);
  EXPECT_EQ(w.statusBar()->currentMessage(), L1(Choose("1 elemento escondido", "1 element hidden")));
  EXPECT_EQ(Child<QListView>(w, "Lista1")->model()->rowCount(), 3) << "a hidden element stays in the list";
  EXPECT_NE(Row(0), shownRow) << "greyed";
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(+w.Probe().Element(0).invisible, 0) << "one undo shows it again";
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(SavedHidden(), (std::vector<int>{1, 0, 0}));
  Key(Qt::Key_H);
  EXPECT_EQ(w.Probe().UndoCount(), 0) << "hiding the hidden again is no step";

  // b selected: Shift+H hides a (already) and c; Alt+H shows all three.
  ClickView(PixelOf(0, 2, 0));
  ASSERT_EQ(w.Probe().SelectedIndex(0), 1);
  Key(Qt::Key_H, Qt::ShiftModifier);
  EXPECT_EQ(w.Probe().UndoCount(), 1);
  EXPECT_EQ(SavedHidden(), (std::vector<int>{1, 0, 1}));
  ClickView(PixelOf(4, 2, 0));
  EXPECT_EQ(w.Probe().SelectionCount(), 0) << "a hidden element is not picked";
  Key(Qt::Key_H, Qt::AltModifier);
  EXPECT_EQ(w.Probe().UndoCount(), 1);
  EXPECT_EQ(w.statusBar()->currentMessage(), L1(Choose("2 elementos mostrados", "2 elements shown")));
  EXPECT_EQ(SavedHidden(), (std::vector<int>{0, 0, 0}));
  EXPECT_EQ(Row(0), shownRow);
}
