// Mouse and keyboard editing on the real window with real picking.
#include <QCursor>
#include <QListWidget>
#include <QPushButton>

#include <chrono>
#include <cmath>

#include "EditorFixture.h"
#include "KeyCodes.h"
#include "TFE3DAtributos1.h"
#include "controls/TMulfig.h"
#include "controls/TSBM.h"
#include "gl/GLView.h"
#include "gl/Picking.h"

namespace {
double NowInDays() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count() / 86400.0;
}

// Adds a cube of size 2 standing on the floor at (x, z).
int32_t AddCube(TFEditorDeObjetos1& w, double x, double z, double size = 2) {
  w.doc.templ.kind = kCube;
  w.doc.templ.dx = w.doc.templ.dy = w.doc.templ.dz = size;
  w.doc.templ.x = x, w.doc.templ.y = size / 2, w.doc.templ.z = z;
  const int32_t i = w.doc.AppendFromTemplate();
  w.RebuildElementList();
  w.Redraw();
  // Picking reads the last frame; an idle machine can press before the
  // requested frame is painted.
  w.RenderNow();
  return i;
}

// The panel pixel where a world point is drawn in the last frame.
QPoint PixelOf(TFEditorDeObjetos1& w, double x, double y, double z) {
  int px = 0, py = 0;
  ProjectPoint(*w.view, x, y, z, px, py);
  return {px, py};
}

void Press(TFEditorDeObjetos1& w, QPoint at, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  w.lastPressTime = 0;
  QTest::mousePress(w.Tela1, Qt::LeftButton, mods, at);
}

double YawOf(const GLView& v) { return std::atan2(v.Eye[0] - v.Center[0], v.Eye[2] - v.Center[2]) * 180 / M_PI; }

void Key(TFEditorDeObjetos1& w, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  w.FocusTela1();
  QTest::keyClick(w.Tela1, key, mods);
}
}  // namespace

TEST_F(EditorFixture, PressesCloserThan250msOpenTheAttributesDialog) {
  auto& w = Open();
  AddCube(w, 0, 0);
  w.Lista1->setCurrentRow(0);
  int dialogs = 0;
  auto cancel = [&dialogs](QWidget* modal) {
    ++dialogs;
    qobject_cast<TFE3DAtributos1*>(modal)->Button1->click();
  };
  WhenModal(cancel);
  w.lastPressTime = NowInDays() - 0.200 / 86400;
  QTest::mousePress(w.Tela1, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseRelease(w.Tela1, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(dialogs, 1);
  EXPECT_FALSE(w.viewDragging);

  w.lastPressTime = NowInDays() - 0.300 / 86400;
  QTest::mousePress(w.Tela1, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_TRUE(w.viewDragging);  // an ordinary press on empty space
  QTest::mouseRelease(w.Tela1, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::qWait(100);
  EXPECT_EQ(dialogs, 1);
  QApplication::processEvents();
}

TEST_F(EditorFixture, ClickingAnElementSelectsItAndShiftAddsToTheSelection) {
  auto& w = Open();
  AddCube(w, -4, 0);
  AddCube(w, 4, 0);
  Press(w, PixelOf(w, -4, 2, 0));
  QTest::mouseRelease(w.Tela1, Qt::LeftButton, Qt::NoModifier, PixelOf(w, -4, 2, 0));
  ASSERT_EQ(w.doc.SelectionCount(), 1);
  EXPECT_EQ(w.doc.SelectedIndex(0), 0);
  EXPECT_EQ(w.doc.UndoCount(), 1);  // taken before the drag that may follow

  Press(w, PixelOf(w, 4, 2, 0), Qt::ShiftModifier);
  QTest::mouseRelease(w.Tela1, Qt::LeftButton, Qt::ShiftModifier, PixelOf(w, 4, 2, 0));
  EXPECT_EQ(w.doc.SelectionCount(), 2);

  Press(w, QPoint(3, 3));  // empty space: the selection goes
  QTest::mouseRelease(w.Tela1, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
  EXPECT_EQ(w.doc.SelectionCount(), 0);
}

TEST_F(EditorFixture, ResizeDragNeverCollapsesAnElement) {
  auto& w = Open();
  const int32_t i = AddCube(w, 0, 0);
  w.doc.Element(i).dx = 2;
  w.Redraw();
  w.MMovimento1->setValor(1);
  w.MEixo1->setValor(0);
  const QPoint start = PixelOf(w, 0, 2, 0);
  Press(w, start);
  ASSERT_TRUE(w.elementDragging);
  // Two steps of -0.5 along X: a drag to the right by 1.0 / kx pixels or a little more.
  const QPoint a = PixelOf(w, w.view->OrthoMin[0], 0, 0), b = PixelOf(w, w.view->OrthoMax[0], 0, 0);
  const double kx = 20.0 / std::abs(b.x() - a.x());
  const int pixels = static_cast<int>(std::ceil(1.2 / kx));
  QTest::mouseMove(w.Tela1, start + QPoint(pixels, 0));
  QTest::mouseRelease(w.Tela1, Qt::LeftButton, Qt::NoModifier, start + QPoint(pixels, 0));
  EXPECT_EQ(double{w.doc.Element(i).dx}, 1.0);  // 2 - 2 x 1 = 0 becomes twice the step
  EXPECT_EQ(double{w.doc.Element(i).dz}, 2.0);
}

TEST_F(EditorFixture, TurningInTheXZModeChangesAyz) {
  auto& w = Open();
  const int32_t i = AddCube(w, 0, 0);
  w.MMovimento1->setValor(2);
  w.MEixo1->setValor(3);
  const QPoint start = PixelOf(w, 0, 2, 0);
  Press(w, start);
  QTest::mouseMove(w.Tela1, start + QPoint(60, 40));
  QTest::mouseRelease(w.Tela1, Qt::LeftButton, Qt::NoModifier, start + QPoint(60, 40));
  EXPECT_NE(double{w.doc.Element(i).ayz}, 0);
  EXPECT_EQ(double{w.doc.Element(i).axy}, 0);
  EXPECT_EQ(double{w.doc.Element(i).axz}, 0);
  EXPECT_EQ(std::fmod(double{w.doc.Element(i).ayz}, 2.5), 0);  // steps of five times the snapped movement
}

TEST_F(EditorFixture, BlockModeStacksTheSecondCubeOnTheFirst) {
  auto& w = Open();
  const QPoint at = PixelOf(w, 1, 0, 1);
  QCursor::setPos(w.Tela1->mapToGlobal(at));
  QTest::qWait(50);
  Key(w, Qt::Key_F11);
  EXPECT_TRUE(w.Timer1->isActive());
  Press(w, at);
  QTest::mouseRelease(w.Tela1, Qt::LeftButton, Qt::NoModifier, at);
  Press(w, at);
  QTest::mouseRelease(w.Tela1, Qt::LeftButton, Qt::NoModifier, at);
  ASSERT_EQ(w.doc.Count(), 2);
  EXPECT_EQ(double{w.doc.Element(0).dx}, 2);
  EXPECT_EQ(double{w.doc.Element(1).x}, double{w.doc.Element(0).x});
  EXPECT_EQ(double{w.doc.Element(1).y}, +w.doc.Element(0).y + 2);
  EXPECT_EQ(w.doc.SelectedIndex(0), 1);
  Key(w, Qt::Key_F10);
  EXPECT_FALSE(w.Timer1->isActive());
}

TEST_F(EditorFixture, CameraDragTurnsOneDegreePerPixelAndPutsThePointerBack) {
  auto& w = Open();
  const QPoint start(40, 40);
  QCursor::setPos(w.Tela1->mapToGlobal(start));
  const double yaw = YawOf(*w.view);
  const double distance = std::hypot(w.view->Eye[0] - w.view->Center[0], w.view->Eye[2] - w.view->Center[2]);
  Press(w, start);
  ASSERT_TRUE(w.viewDragging);
  QTest::mouseMove(w.Tela1, start - QPoint(10, 0));
  QTest::mouseRelease(w.Tela1, Qt::LeftButton, Qt::NoModifier, start - QPoint(10, 0));
  double turned = std::fabs(YawOf(*w.view) - yaw);
  if (turned > 180) turned = 360 - turned;
  EXPECT_NEAR(turned, 10.0, 1e-6);
  EXPECT_NEAR(std::hypot(w.view->Eye[0] - w.view->Center[0], w.view->Eye[2] - w.view->Center[2]), distance, 1e-9);
  EXPECT_EQ(w.Tela1->mapFromGlobal(QCursor::pos()), start);
}

TEST_F(EditorFixture, RightOrbitsWithNothingSelectedAndMovesTheSelectionOtherwise) {
  auto& w = Open();
  const double yaw = YawOf(*w.view);
  Key(w, Qt::Key_Right);
  double turned = std::fabs(YawOf(*w.view) - yaw);
  if (turned > 180) turned = 360 - turned;
  EXPECT_NEAR(turned, 5.0, 1e-6);

  Key(w, Qt::Key_Home);
  const int32_t i = AddCube(w, 0, 0);
  w.SelectElement(i);
  Key(w, Qt::Key_Right);
  const Element3D& e = w.doc.Element(i);
  const double moved = w.screenAxisH == 0 ? e.x : e.z;
  EXPECT_EQ(moved, 0.5 * w.screenSignH);
  EXPECT_EQ(w.screenAxisH == 0 ? double{e.z} : double{e.x}, 0.0);
  EXPECT_EQ(w.doc.UndoCount(), 1);
}

TEST_F(EditorFixture, ArrowsChangeTheTemplateWhileAKindIsPicked) {
  auto& w = Open();
  const int32_t i = AddCube(w, 0, 0);
  w.SelectElement(i);
  w.Mulfig1->setValor(1);  // picking a kind clears the selection
  w.MEixo1->setValor(1);   // Y
  const double y = w.doc.templ.y;
  Key(w, Qt::Key_Right);
  EXPECT_EQ(double{w.doc.templ.y}, y + 0.5);
  EXPECT_EQ(double{w.doc.Element(i).y}, 1.0);
}

TEST_F(EditorFixture, EscButtonOnlyRedrawsWhileTheEscKeyRunsNormalEdit) {
  auto& w = Open();
  w.MMovimento1->setValor(2);
  w.MEixo1->setValor(0);
  TSBM* esc = w.keyButtons.front();
  ASSERT_EQ(esc->Caption(), "ESC");
  QTest::mousePress(esc, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseRelease(esc, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(w.MMovimento1->Valor(), 2);
  EXPECT_EQ(w.MEixo1->Valor(), 0);
  Key(w, Qt::Key_Escape);
  EXPECT_EQ(w.MMovimento1->Valor(), 0);
  EXPECT_EQ(w.MEixo1->Valor(), 3);
}

TEST_F(EditorFixture, KeyButtonsSendTheirCaptions) {
  auto& w = Open();
  for (TSBM* b : w.keyButtons) {
    if (b->Caption() == "S") {
      w.FocusTela1();
      QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
      QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    }
  }
  EXPECT_EQ(w.MMovimento1->Valor(), 1);
  Key(w, Qt::Key_Z);
  EXPECT_EQ(w.MEixo1->Valor(), 2);
  Key(w, Qt::Key_2);
  EXPECT_EQ(w.view->Eye[1], 31);
}

TEST_F(EditorFixture, ShiftLeftMovesOnlyThePointer) {
  auto& w = Open();
  const int32_t i = AddCube(w, 0, 0);
  w.SelectElement(i);
  QCursor::setPos(w.Tela1->mapToGlobal(QPoint(300, 200)));
  QTest::qWait(30);
  const QPoint before = QCursor::pos();
  const double eye0 = w.view->Eye[0];
  Key(w, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(QCursor::pos(), before - QPoint(10, 0));
  EXPECT_EQ(double{w.doc.Element(i).x}, 0);
  EXPECT_EQ(w.view->Eye[0], eye0);
  EXPECT_EQ(w.doc.UndoCount(), 0);
}

TEST_F(EditorFixture, CtrlZUndoesThroughTheMenuOrTheKeyHandler) {
  auto& w = Open();
  const int32_t i = AddCube(w, 0, 0);
  w.SelectElement(i);
  Key(w, Qt::Key_Up);
  Key(w, Qt::Key_Up);
  ASSERT_EQ(w.doc.UndoCount(), 2);
  Key(w, Qt::Key_Z, Qt::ControlModifier);  // the menu item takes it
  EXPECT_EQ(w.doc.UndoCount(), 1);
  w.Desfazer1->setEnabled(false);
  Key(w, Qt::Key_Z, Qt::ControlModifier);  // now the key handler does
  EXPECT_EQ(w.doc.UndoCount(), 0);
  EXPECT_EQ(w.MEixo1->Valor(), 3);  // and the axis did not become Z
}
