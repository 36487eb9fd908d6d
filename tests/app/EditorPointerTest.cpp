// Presses, clicks and saves as the user aims them: double presses only from
// the mouse on one spot, no undo step for a press that changed nothing, a
// failed save that loses nothing. The same tests run on scaled desktops
// (QT_SCALE_FACTOR, see CMakeLists.txt), where every pixel the tests aim at
// is a widget position and the frame is read in framebuffer pixels.
#include <QCursor>
#include <QStyleHints>

#include "EditorFixture.h"

namespace {
class Pointer : public EditorFixture {
 protected:
  int32_t SelectedOne() const { return window->Probe().SelectionCount() == 1 ? window->Probe().SelectedIndex(0) : -1; }
};
}  // namespace

TEST_F(Pointer, OnlyTwoMousePressesOnOneSpotInTimeMakeADoublePress) {
  auto& w = OpenWith({Cube("a", -4), Cube("b", 4)});
  AttributesAnswers dialogs;  // records each dialog and cancels it
  const QPoint a = PixelOf(-4, 2, 0), b = PixelOf(4, 2, 0);

  ClickView(a);
  ClickViewAtOnce(b);  // at once, elsewhere
  EXPECT_EQ(SelectedOne(), 1);

  // A click sent by a key is never half of a double press.
  MovePointer(a);
  Key(Qt::Key_Space);
  EXPECT_EQ(SelectedOne(), 0) << "the key clicks under the pointer";
  ClickViewAtOnce(a);
  // Nor do presses of different buttons pair.
  QTest::mouseClick(ViewOf(w), Qt::RightButton, Qt::NoModifier, a, PastDoubleClick());
  ClickViewAtOnce(a);
  EXPECT_TRUE(dialogs.shown.empty());

  // A double click as the platform delivers it opens the element's attributes, once.
  ClickView(b);
  QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, ViewOf(w)->mapTo(&w, b), PastDoubleClick());
  EXPECT_TRUE(Soon([&] { return !dialogs.shown.empty(); }));
  QApplication::processEvents();  // a second dialog would be up by now
  EXPECT_EQ(dialogs.shown, std::vector<std::string>{"b"});

  // Keys at a brisk pace: every press adds.
  Reactivate();
  MovePointer(PixelOf(0, 0, 8));
  for (int i = 0; i < 10; ++i) Key(Qt::Key_F5);
  EXPECT_EQ(w.Probe().Count(), 12);
  EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(Pointer, PressesThatChangeNothingLeaveNoUndoStepAndNoChange) {
  auto& w = OpenWith({Cube("a", -4), Cube("b", 4)});
  const QPoint a = PixelOf(-4, 2, 0), b = PixelOf(4, 2, 0);
  ClickView(a);
  EXPECT_EQ(w.Probe().UndoCount(), 0);
  EXPECT_FALSE(Starred());

  Key(Qt::Key_Right);  // a real edit of a
  ASSERT_EQ(w.Probe().UndoCount(), 1);
  ASSERT_TRUE(Starred());
  for (int i = 0; i < 10; ++i) ClickViewAtOnce(i % 2 ? a : b);
  EXPECT_EQ(w.Probe().UndoCount(), 1) << "selection clicks took undo levels";

  // A drag from a press on b is one step, undone whole.
  QTest::mousePress(ViewOf(w), Qt::LeftButton, Qt::NoModifier, b, PastDoubleClick());
  QTest::mouseMove(ViewOf(w), b + QPoint(30, 10));
  QTest::mouseMove(ViewOf(w), b + QPoint(60, 20));
  QTest::mouseRelease(ViewOf(w), Qt::LeftButton, Qt::NoModifier, b + QPoint(60, 20));
  EXPECT_NE(+w.Probe().Element(1).x, 4);
  EXPECT_EQ(w.Probe().UndoCount(), 2);
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);  // the move of a, which ten clicks did not push out
  Key(Qt::Key_S, Qt::ControlModifier);
  const std::vector<Element3D> saved = ReadElements(dir.file("doc.zobj3d"));
  ASSERT_EQ(saved.size(), 2u);
  EXPECT_EQ(+saved[0].x, -4);
  EXPECT_EQ(+saved[0].z, 0);
  EXPECT_EQ(+saved[1].x, 4);
  EXPECT_EQ(+saved[1].z, 0);

  // Saved, then only clicked: Quit closes without a question.
  ClickView(b);
  ClickViewAtOnce(a);
  EXPECT_FALSE(Starred());
  Pick('A', Child<QAction>(w, "Sair1"));
  EXPECT_TRUE(boxes.saveQuestions.empty());
  EXPECT_FALSE(w.isVisible());
}

TEST_F(Pointer, AFailedSaveOrExportKeepsTheHistoryTheNameAndTheChange) {
  auto& w = OpenWith({Cube("a", 0)});
  const std::string name = w.Probe().FileName(), before = dir.read("doc.zobj3d");
  ClickListRow(0);
  Key(Qt::Key_Right);
  ASSERT_TRUE(Starred());
  files.paths = {dir.file("missing/a.zobj3d")};
  Pick('A', Child<QAction>(w, "Salvarcomo1"));
  files.paths = {dir.file("missing/a.obj")};
  Pick('A', Child<QAction>(w, "Exportar1"));
  files.paths = {dir.file("missing/a.jpeg")};
  Pick('A', Child<QAction>(w, "Salvarcomo1"));
  EXPECT_EQ(boxes.warnings.size(), 3u);
  EXPECT_EQ(w.Probe().FileName(), name);
  EXPECT_TRUE(Starred());
  EXPECT_EQ(w.Probe().UndoCount(), 1);

  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(dir.read("doc.zobj3d"), before);
  EXPECT_FALSE(Starred());
  EXPECT_EQ(w.Probe().UndoCount(), 0);  // a save that succeeded empties it
}

// The gizmo keeps its corner of the view at any scale of the desktop.
TEST_F(Pointer, TheAxisGizmoStandsInTheLowerLeftCorner) {
  auto& w = Open();
  const QImage frame = ViewOf(w)->grabFramebuffer();
  const int corner = qRound(70 * ViewOf(w)->PixelRatio());
  int red = 0;
  for (int y = frame.height() - corner; y < frame.height(); ++y)
    for (int x = 0; x < corner; ++x) {
      const QColor c = frame.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 90 && c.blue() < 90) ++red;
    }
  EXPECT_GT(red, 10) << "no X arrow";
}
