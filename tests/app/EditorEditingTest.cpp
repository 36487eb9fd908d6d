// Editing an opened document with the mouse and the keys, with real picking.
#include <QCursor>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <set>

#include "EditorFixture.h"
#include "LatinText.h"
#include "controls/TSBM.h"
#include "gl/GLView.h"

namespace {
double YawOf(const GLView& v) { return std::atan2(v.Eye[0] - v.Center[0], v.Eye[2] - v.Center[2]) * 180 / M_PI; }

double Turned(double from, double to) {
  const double turned = std::fabs(to - from);
  return turned > 180 ? 360 - turned : turned;
}

std::vector<std::string> Names(TFEditorDeObjetos1& w) {
  std::vector<std::string> out;
  for (int32_t i = 0; i < w.Probe().Count(); ++i) out.push_back(w.Probe().Element(i).name.str());
  return out;
}

// What the list shows, row by row.
std::vector<std::string> ListNames(TFEditorDeObjetos1& w) {
  std::vector<std::string> out;
  const QAbstractItemModel* rows = Child<QListView>(w, "Lista1")->model();
  for (int r = 0; r < rows->rowCount(); ++r) out.push_back(Latin(rows->index(r, 0).data().toString()));
  return out;
}

// The list's marked rows as name@row, top to bottom.
std::vector<std::string> MarkedRows(TFEditorDeObjetos1& w) {
  std::vector<std::string> out;
  const QAbstractItemModel* rows = Child<QListView>(w, "Lista1")->model();
  for (int r = 0; r < rows->rowCount(); ++r)
    if (Child<QListView>(w, "Lista1")->selectionModel()->isSelected(rows->index(r, 0)))
      out.push_back(Latin(rows->index(r, 0).data().toString()) + "@" + std::to_string(r));
  return out;
}

}  // namespace

// Two quick presses on the element open its attributes, where it is renamed
// (trimmed, and never to a name in use); slower presses do not.
TEST_F(EditorFixture, ADoublePressOrEnterRenamesTheElement) {
  auto& w = OpenWith({Cube("porta", -4), Cube("janela", 4)});
  AttributesAnswers dialogs;
  dialogs.name = "  vidro  ";
  const QPoint janela = PixelOf(4, 2, 0);
  ClickView(janela);
  ClickViewAtOnce(janela);
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"janela"});
  EXPECT_EQ(w.Probe().Element(1).name.str(), "vidro");
  EXPECT_EQ(ListNames(w)[1], "vidro");

  Reactivate();
  ClickView(janela);  // later: only a press
  EXPECT_EQ(dialogs.shown.size(), 1u);
  dialogs.name = "PORTA";
  ClickListRow(1);
  Key(Qt::Key_Return);  // on the list's current element
  EXPECT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(Names(w), (std::vector<std::string>{"porta", "vidro"}));
}

TEST_F(EditorFixture, CameraDragTurnsOneDegreePerPixelAndPutsThePointerBack) {
  auto& w = Open();
  const QPoint start(40, 40);
  QCursor::setPos(ViewOf(w)->mapToGlobal(start));
  const double yaw = YawOf(w.Probe().View());
  const double distance = std::hypot(w.Probe().View().Eye[0] - w.Probe().View().Center[0],
                                     w.Probe().View().Eye[2] - w.Probe().View().Center[2]);
  QTest::mousePress(ViewOf(w), Qt::LeftButton, Qt::NoModifier, start);
  QTest::mouseMove(ViewOf(w), start - QPoint(10, 0));
  QTest::mouseRelease(ViewOf(w), Qt::LeftButton, Qt::NoModifier, start - QPoint(10, 0));
  EXPECT_NEAR(Turned(yaw, YawOf(w.Probe().View())), 10.0, 1e-6);
  EXPECT_NEAR(std::hypot(w.Probe().View().Eye[0] - w.Probe().View().Center[0],
                         w.Probe().View().Eye[2] - w.Probe().View().Center[2]),
              distance, 1e-9);
  EXPECT_EQ(ViewOf(w)->mapFromGlobal(QCursor::pos()), start);
}

// An arrow orbits with nothing selected and moves the selection otherwise;
// with Shift it moves only the pointer.
TEST_F(EditorFixture, ArrowsOrbitMoveTheSelectionOrMoveThePointer) {
  auto& w = OpenWith({Cube("a", 0)});
  const double yaw = YawOf(w.Probe().View());
  Key(Qt::Key_Right);
  EXPECT_NEAR(Turned(yaw, YawOf(w.Probe().View())), 5.0, 1e-6);

  Key(Qt::Key_Home);
  ClickListRow(0);
  MovePointer(QPoint(300, 200));
  const QPoint pointer = QCursor::pos();
  const double eye0 = w.Probe().View().Eye[0];
  Key(Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(QCursor::pos(), pointer - QPoint(10, 0));
  EXPECT_EQ(+w.Probe().Element(0).x, 0);
  EXPECT_EQ(w.Probe().View().Eye[0], eye0);
  EXPECT_EQ(w.Probe().UndoCount(), 0);

  // One step along one floor axis, the way that takes the picture right.
  const QPoint before = FramePixelOf(0, 1, 0);
  Key(Qt::Key_Right);
  const Element3D e = w.Probe().Element(0);
  EXPECT_EQ(std::fabs(e.x) + std::fabs(e.z), 0.5);
  EXPECT_GT(FramePixelOf(e.x, e.y, e.z).x(), before.x());
  EXPECT_EQ(w.Probe().UndoCount(), 1);
}

// F11 starts the block mode: a click adds a block in the cell under the
// pointer, or on the block already there; F9 adds one, but only with the
// pointer over the view.
TEST_F(EditorFixture, BlockModeStacksBlocksWhereThePointerIs) {
  auto& w = Open();
  Key(Qt::Key_F11);
  EXPECT_TRUE(w.Probe().BlockMode());
  MovePointer(*Child<QWidget>(w, "Panel1"), QPoint(600, 100));  // over the tool strip
  Key(Qt::Key_F9);
  Key(Qt::Key_Space);  // a click sent from the keyboard
  EXPECT_EQ(w.Probe().Count(), 0);
  EXPECT_EQ(w.Probe().UndoCount(), 0);

  const QPoint at = PixelOf(1, 0, 1);
  MovePointer(at);
  ClickView(at);
  ClickView(at);
  ASSERT_EQ(w.Probe().Count(), 2);
  EXPECT_EQ(+w.Probe().Element(0).dx, 2);
  EXPECT_EQ(+w.Probe().Element(1).x, +w.Probe().Element(0).x);
  EXPECT_EQ(+w.Probe().Element(1).y, +w.Probe().Element(0).y + 2);
  EXPECT_EQ(w.Probe().SelectedIndex(0), 1);

  MovePointer(PixelOf(3, 0, 3));
  Key(Qt::Key_F9);
  ASSERT_EQ(w.Probe().Count(), 3);
  EXPECT_EQ(+w.Probe().Element(2).x, 2);
  EXPECT_EQ(+w.Probe().Element(2).z, 2);
  Key(Qt::Key_F10);
  EXPECT_FALSE(w.Probe().BlockMode());
}

// The tool strip's key buttons send their captions, ESC as the Esc key:
// normal edit, which resets every mode, as its caption and tooltip say.
TEST_F(EditorFixture, KeyButtonsSendTheirCaptionsAndEscResetsTheModes) {
  auto& w = OpenWith({Cube("a", 0)});
  auto click = [&w](const char* caption) {
    for (TSBM* b : KeyButtons(w))
      if (b->Caption() == caption) QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  };
  click("S");
  EXPECT_EQ(Child<TMulfig>(w, "MMovimento1")->Valor(), 1);
  Key(Qt::Key_Z);
  EXPECT_EQ(Child<TMulfig>(w, "MEixo1")->Valor(), 2);
  Key(Qt::Key_2);
  EXPECT_EQ(w.Probe().View().Eye[1], 31);

  Key(Qt::Key_R);
  Key(Qt::Key_X);
  click("ESC");
  EXPECT_EQ(Child<TMulfig>(w, "MMovimento1")->Valor(), 0);
  EXPECT_EQ(Child<TMulfig>(w, "MEixo1")->Valor(), 3);
  Key(Qt::Key_R);
  ClickListRow(0);
  Key(Qt::Key_F11);
  Key(Qt::Key_Escape);
  EXPECT_EQ(Child<TMulfig>(w, "MMovimento1")->Valor(), 0);
  EXPECT_EQ(Child<TMulfig>(w, "MEixo1")->Valor(), 3);
  EXPECT_FALSE(w.Probe().BlockMode());
  EXPECT_EQ(w.Probe().SelectionCount(), 0);
  ClickPalette(2);
  Key(Qt::Key_Escape);
  EXPECT_EQ(Child<TMulfig>(w, "Mulfig1")->Valor(), 0);
}

// Delete with a kind chosen only puts the palette back to the cursor; then
// it deletes the list's selection and keeps the order of the rest.
TEST_F(EditorFixture, DeleteRemovesTheSelectionUnlessAKindIsChosen) {
  auto& w = OpenWith({Cube("e0", -8), Cube("e1", -4), Cube("e2", 0), Cube("e3", 4), Cube("e4", 8)});
  ClickPalette(2);
  ClickListRow(1);
  ClickListRow(3, Qt::ControlModifier);
  ASSERT_EQ(w.Probe().SelectionCount(), 2);
  Key(Qt::Key_Delete);
  EXPECT_EQ(w.Probe().Count(), 5);
  EXPECT_EQ(Child<TMulfig>(w, "Mulfig1")->Valor(), 0);
  Key(Qt::Key_Delete);
  EXPECT_EQ(Names(w), (std::vector<std::string>{"e0", "e2", "e4"}));
  EXPECT_EQ(w.Probe().SelectionCount(), 0);
  EXPECT_EQ(ListNames(w), Names(w));
  EXPECT_TRUE(MarkedRows(w).empty());
}

// A click selects the element under the pointer, Shift adds to the
// selection, empty space clears it. Pasted copies come in the order of
// selection, one step aside, and undo as one edit.
TEST_F(EditorFixture, ClickToSelectThenCopyAndPasteByTheKeys) {
  auto& w = OpenWith({Cube("cubo1", -5), Cube("cubo2", 0), Cube("cubo3", 5)});
  ClickView(PixelOf(0, 2, 0));
  ASSERT_EQ(w.Probe().SelectionCount(), 1);
  EXPECT_EQ(w.Probe().SelectedIndex(0), 1);
  EXPECT_EQ(w.Probe().UndoCount(), 0);  // a click that moved nothing is no step
  ClickView(QPoint(3, 3));
  EXPECT_EQ(w.Probe().SelectionCount(), 0);
  ClickView(PixelOf(5, 2, 0));
  ClickView(PixelOf(-5, 2, 0), Qt::ShiftModifier);
  ASSERT_EQ(w.Probe().SelectionCount(), 2);
  Key(Qt::Key_C, Qt::ControlModifier);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Names(w), (std::vector<std::string>{"cubo1", "cubo2", "cubo3", "cubo4", "cubo5"}));
  EXPECT_EQ(+w.Probe().Element(3).x, +w.Probe().Element(2).x - 0.5);
  EXPECT_EQ(ListNames(w), Names(w));
  EXPECT_EQ(MarkedRows(w).size(), 2u);
  Key(Qt::Key_Z, Qt::ControlModifier);  // the paste
  EXPECT_EQ(w.Probe().Count(), 3);
  // The copies are gone; what was copied is selected again.
  EXPECT_EQ(w.Probe().SelectionCount(), 2);
  EXPECT_EQ(ListNames(w), Names(w));
  EXPECT_EQ(MarkedRows(w), (std::vector<std::string>{"cubo1@0", "cubo3@2"}));
}

// The element list follows paste, delete, undo, redo and rename row for
// row: each row shows its element's name, rows of elements that stay are
// the same rows when the edit added or removed one run (only those rows are
// told to the view), and each selected element marks the first row of its
// name, as a list made afresh would.
TEST_F(EditorFixture, TheListFollowsEditsRowForRow) {
  auto& w = OpenWith({Cube("a", -12), Cube("b", -6), Cube("twin", 0), Cube("twin", 6), Cube("e", 12)});
  QAbstractItemModel* rows = Child<QListView>(w, "Lista1")->model();
  auto expectListMatchesDocument = [&](const char* after) {
    std::vector<std::string> expectedMarks;
    const std::vector<std::string> names = Names(w);
    EXPECT_EQ(ListNames(w), names) << after;
    const std::vector<bool> selected = w.Probe().SelectionMask();
    std::set<size_t> firstRows;
    for (size_t k = 0; k < names.size(); ++k)
      if (selected[k]) firstRows.insert(std::find(names.begin(), names.end(), names[k]) - names.begin());
    for (size_t r : firstRows) expectedMarks.push_back(names[r] + "@" + std::to_string(r));
    EXPECT_EQ(MarkedRows(w), expectedMarks) << after;
  };
  // Rows still the rows held before an edit: a view's handle on a row
  // follows rows told as added or removed, and is lost when the list is
  // made anew.
  std::vector<QPersistentModelIndex> opened;
  auto holdRows = [&] {
    opened.clear();
    for (int r = 0; r < rows->rowCount(); ++r) opened.emplace_back(rows->index(r, 0));
  };
  holdRows();
  auto keptRows = [&] { return std::count_if(opened.begin(), opened.end(), [](auto& i) { return i.isValid(); }); };

  ClickListRow(1);
  ClickListRow(3, Qt::ControlModifier);  // b and the second twin
  ASSERT_EQ(w.Probe().SelectionCount(), 2);
  Key(Qt::Key_C, Qt::ControlModifier);
  Key(Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(w.Probe().Count(), 7);
  expectListMatchesDocument("paste");
  EXPECT_EQ(keptRows(), 5);

  Key(Qt::Key_Delete);  // the pasted copies, still selected
  ASSERT_EQ(w.Probe().Count(), 5);
  expectListMatchesDocument("delete of the copies");
  EXPECT_EQ(keptRows(), 5);
  Key(Qt::Key_Z, Qt::ControlModifier);
  expectListMatchesDocument("undo of the delete of the copies");
  EXPECT_EQ(keptRows(), 5);
  Key(Qt::Key_Y, Qt::ControlModifier);
  expectListMatchesDocument("redo of the delete of the copies");
  EXPECT_EQ(keptRows(), 5);

  ClickListRow(0);
  ClickListRow(2, Qt::ControlModifier);
  ClickListRow(4, Qt::ControlModifier);
  ASSERT_EQ(w.Probe().SelectionCount(), 3);
  Key(Qt::Key_Delete);  // a, the first twin and e: rows apart
  ASSERT_EQ(Names(w), (std::vector<std::string>{"b", "twin"}));
  expectListMatchesDocument("delete of rows apart");

  Key(Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(w.Probe().Count(), 5);
  expectListMatchesDocument("undo of the delete");
  Key(Qt::Key_Y, Qt::ControlModifier);
  ASSERT_EQ(w.Probe().Count(), 2);
  expectListMatchesDocument("redo of the delete");
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);  // the first delete back: the copies again
  ASSERT_EQ(w.Probe().Count(), 7);
  expectListMatchesDocument("undo back to the paste");
  Key(Qt::Key_A, Qt::ControlModifier);  // every element: the twins mark one row
  ASSERT_EQ(w.Probe().SelectionCount(), 7);
  expectListMatchesDocument("select-all");

  // A double click on a row renames its element; the rows stay.
  holdRows();
  std::vector<std::string> renamed = Names(w);
  renamed[4] = "last";
  AttributesAnswers dialogs;
  dialogs.name = "last";
  const QPoint e = Child<QListView>(w, "Lista1")
                       ->viewport()
                       ->mapTo(&w, Child<QListView>(w, "Lista1")->visualRect(rows->index(4, 0)).center());
  QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, e, PastDoubleClick());
  ASSERT_TRUE(Soon([&] { return !dialogs.shown.empty(); }));
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"e"});
  EXPECT_EQ(Names(w), renamed);
  EXPECT_EQ(keptRows(), 7);
  expectListMatchesDocument("rename");
}

// Scrolled down a long list, a click selects the element of the row under
// the pointer, and edits leave the list where it was scrolled to.
TEST_F(EditorFixture, AClickOnAScrolledListSelectsTheRowUnderThePointer) {
  std::vector<Element3D> elements;
  for (int i = 0; i < 400; ++i) elements.push_back(Cube(("e" + std::to_string(i)).c_str(), (i % 20) * 3.0 - 30));
  auto& w = OpenWith(elements);
  QListView* list = Child<QListView>(w, "Lista1");
  auto wheel = [&](int notches) {
    QWheelEvent turn(QPointF(10, 10), list->viewport()->mapToGlobal(QPointF(10, 10)), QPoint(),
                     QPoint(0, -120 * notches), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &turn);
    QApplication::processEvents();
  };
  wheel(20);
  const int scrolled = list->verticalScrollBar()->value();
  ASSERT_GT(scrolled, 0);
  ASSERT_FALSE(list->visualRect(list->model()->index(0, 0)).intersects(list->viewport()->rect()));

  // The third line from the top of what the list shows.
  const QModelIndex third = list->indexAt(QPoint(5, list->visualRect(list->model()->index(0, 0)).height() * 5 / 2));
  ASSERT_TRUE(third.isValid());
  ASSERT_GT(third.row(), 2);
  ClickListRow(third.row());
  ASSERT_EQ(w.Probe().SelectionCount(), 1);
  EXPECT_EQ(w.Probe().SelectedIndex(0), third.row());
  EXPECT_EQ(ListNames(w)[third.row()], w.Probe().Element(third.row()).name.str());
  EXPECT_EQ(MarkedRows(w),
            std::vector<std::string>{w.Probe().Element(third.row()).name.str() + "@" + std::to_string(third.row())});
  EXPECT_EQ(list->verticalScrollBar()->value(), scrolled);

  // Edits that leave nothing selected leave the list where it was scrolled
  // to, whether they remove rows apart (delete) or bring them back (its
  // undo); a paste shows the pasted rows, and its undo the rows selected
  // again.
  const std::string picked = w.Probe().Element(third.row()).name.str();
  ClickListRow(third.row() + 2, Qt::ControlModifier);
  Key(Qt::Key_Delete);
  ASSERT_EQ(w.Probe().Count(), 398);
  EXPECT_EQ(list->verticalScrollBar()->value(), scrolled) << "delete of rows apart";
  Key(Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(w.Probe().Count(), 400);
  EXPECT_EQ(list->verticalScrollBar()->value(), scrolled) << "its undo";
  EXPECT_EQ(ListNames(w), Names(w));
  ClickListRow(third.row());
  Key(Qt::Key_C, Qt::ControlModifier);
  Key(Qt::Key_V, Qt::ControlModifier);
  ASSERT_EQ(w.Probe().Count(), 401);
  EXPECT_TRUE(list->viewport()->rect().contains(list->visualRect(list->model()->index(400, 0)))) << "paste";
  EXPECT_EQ(MarkedRows(w), std::vector<std::string>{w.Probe().Element(400).name.str() + "@400"});
  wheel(-20);
  const int back = list->verticalScrollBar()->value();
  ASSERT_LT(back, list->verticalScrollBar()->maximum() - 1);
  Key(Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(w.Probe().Count(), 400);
  // The copy is gone and what was copied is selected again: its row is shown.
  EXPECT_NE(list->verticalScrollBar()->value(), back) << "undo of the paste";
  EXPECT_TRUE(list->viewport()->rect().contains(list->visualRect(list->model()->index(third.row(), 0))));
  EXPECT_EQ(MarkedRows(w), std::vector<std::string>{picked + "@" + std::to_string(third.row())});
  EXPECT_EQ(w.Probe().Element(third.row()).name.str(), picked);
  EXPECT_EQ(ListNames(w), Names(w));
}
