// The window as a new user meets it: started, shown and activated, then
// driven only by keys, pointer moves, clicks and wheel turns at pixels
// found by projecting world points through the view's last frame. Results
// are read from the document, the frame's pixels or the status line.
#include <QAction>
#include <QCursor>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QWheelEvent>

#include <cmath>
#include <cstddef>
#include <cstring>

#include "EditorFixture.h"
#include "TBarraDeEstado.h"
#include "common/Dictionary.h"
#include "controls/TAtlEdit.h"
#include "controls/TMulfig.h"
#include "controls/TZBox.h"
#include "controls/TZSpinEdit.h"
#include "gl/GLView.h"
#include "gl/Picking.h"

namespace {
class FirstUse : public EditorFixture {
 protected:
  // Started as the program starts: no focus or state set by the test.
  TFEditorDeObjetos1& Start() {
    window = std::make_unique<TFEditorDeObjetos1>(QStringList{});
    window->resize(1346, 700);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::qWait(50);
    return *window;
  }

  // A key as the keyboard sends it: to the window, which hands it to
  // whatever holds the focus (and to the menu's shortcuts first).
  void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(window->windowHandle(), key, mods);
    QApplication::processEvents();
  }

  // F5 to F7 and Space click at the pointer, and two presses closer than
  // 250 ms make a double press: these keys keep a user's pace.
  void ClickKey(Qt::Key key) {
    QTest::qWait(300);
    Key(key);
  }

  void Type(const char* text) {
    for (const char* c = text; *c; ++c) QTest::keyClick(window->windowHandle(), *c);
    QApplication::processEvents();
  }

  // The panel pixel where a world point is drawn in the last frame.
  QPoint PixelOf(double x, double y, double z) {
    int px = 0, py = 0;
    ProjectPoint(*window->view, x, y, z, px, py);
    return {px, py};
  }

  // The pointer to a panel pixel; it arrives as the X server reports it.
  void PointTo(QPoint at) {
    QCursor::setPos(window->Tela1->mapToGlobal(at));
    QTest::qWait(60);
  }

  // A left click on the panel; presses closer than 250 ms make a double
  // press, so clicks keep a user's pace.
  void ClickView(QPoint at) {
    QTest::qWait(300);
    QTest::mouseClick(window->Tela1, Qt::LeftButton, Qt::NoModifier, at);
    QApplication::processEvents();
  }

  void ClickPalette(int item) {
    TMulfig* palette = window->Mulfig1;
    QTest::mouseClick(palette, Qt::LeftButton, Qt::NoModifier, palette->RetanguloDoItem(item).center());
    QApplication::processEvents();
  }

  // Grid lines are drawn tinted blue (along Z) or red (along X) on the
  // neutral grey background; the gizmo's corner is left out.
  int TintedPixels() {
    const QImage frame = window->Tela1->grabFramebuffer();
    int n = 0;
    for (int y = 0; y < frame.height(); ++y)
      for (int x = 0; x < frame.width(); ++x) {
        if (x < 70 && y > frame.height() - 70) continue;
        const QColor c = frame.pixelColor(x, y);
        if (std::abs(c.blue() - c.red()) >= 8) ++n;
      }
    return n;
  }

  int PixelsNear(QPoint at, int radius, const std::function<bool(QColor)>& match) {
    const QImage frame = window->Tela1->grabFramebuffer();
    int n = 0;
    for (int y = at.y() - radius; y <= at.y() + radius; ++y)
      for (int x = at.x() - radius; x <= at.x() + radius; ++x)
        if (frame.rect().contains(x, y) && match(frame.pixelColor(x, y))) ++n;
    return n;
  }

  // Whether the screen shows the palette item framed as chosen (a grab of
  // the widget would paint it afresh instead).
  bool Framed(int item) {
    TMulfig* palette = window->Mulfig1;
    const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
    const QPoint corner = palette->mapTo(window.get(), palette->RetanguloDoItem(item).topLeft());
    return shot.pixelColor(corner) == QColor(119, 119, 119);
  }

  // The pointer over a panel pixel, given the time to arrive.
  void Hover(QPoint at) {
    QTest::mouseMove(window->Tela1, at);
    QTest::qWait(60);
  }

  QString Status() { return window->BarraDeEstado1->text(); }

  void Wheel(QPoint at, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWheelEvent event(at, window->Tela1->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(window->Tela1, &event);
    QApplication::processEvents();
  }
};

double Distance(const double a[3], const double b[3]) {
  return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

struct Camera {
  double eye[3], center[3];
  explicit Camera(const GLView& v) {
    for (int i = 0; i < 3; ++i) eye[i] = v.Eye[i], center[i] = v.Center[i];
  }
};
}  // namespace

TEST_F(FirstUse, TheFirstKeyReachesTheView) {
  auto& w = Start();
  Key(Qt::Key_F5);
  ASSERT_EQ(w.doc.Count(), 1);
  const Element3D& e = w.doc.Element(0);
  EXPECT_EQ(+e.kind, kCube);
  EXPECT_EQ(+e.x, 0);
  EXPECT_EQ(+e.y, 2);
  EXPECT_EQ(+e.z, 0);
  EXPECT_EQ(w.Mulfig1->Valor(), 0);
  ClickKey(Qt::Key_F6);  // and the next key too
  ASSERT_EQ(w.doc.Count(), 2);
  EXPECT_EQ(+w.doc.Element(1).kind, kCylinder);
}

TEST_F(FirstUse, AnEmptyDocumentKeepsItsGridAndBlockCursorAfterRedraws) {
  auto& w = Start();
  const int atStart = TintedPixels();
  ASSERT_GT(atStart, 2000);
  Key(Qt::Key_Escape);  // normal edit: a full redraw of the empty document
  Key(Qt::Key_F10);     // and another
  EXPECT_GT(TintedPixels(), atStart * 9 / 10);

  // The block cursor: a dark grey wire box around the cell under the pointer.
  const QPoint cell = PixelOf(1, 1, 1);
  auto dark = [](QColor c) { return c.red() < 110 && std::abs(c.red() - c.blue()) < 12; };
  PointTo(cell);
  const int before = PixelsNear(PixelOf(0, 2, 0), 12, dark);
  Key(Qt::Key_F11);
  QTest::mouseMove(w.Tela1, cell + QPoint(1, 0));  // a move runs the cursor's tick at once
  QTest::mouseMove(w.Tela1, cell);
  // The frame comes with the next paint, which a loaded machine may delay.
  EXPECT_TRUE(QTest::qWaitFor([&] { return PixelsNear(PixelOf(0, 2, 0), 12, dark) > before + 10; }, 3000))
      << "no block cursor at its top corner";
  EXPECT_GT(TintedPixels(), atStart * 9 / 10);
  Key(Qt::Key_F10);
}

TEST_F(FirstUse, ThePaletteKeepsItsChoiceUntilTheClickInTheView) {
  auto& w = Start();
  TMulfig* palette = w.Mulfig1;
  ClickPalette(1);
  EXPECT_EQ(palette->Valor(), 1);
  // Passing over the palette's other items leaves the chosen one framed.
  for (int item : {0, 2, 3, 1, 0}) QTest::mouseMove(palette, palette->RetanguloDoItem(item).center());
  QTest::mouseMove(w.Tela1, QPoint(40, 40));
  EXPECT_TRUE(Framed(1));
  EXPECT_FALSE(Framed(2));

  // The template follows the pointer over the floor; the press adds it there.
  const QPoint at = PixelOf(6.2, 0, -3.7);
  QTest::mouseMove(w.Tela1, at + QPoint(5, 5));
  QTest::mouseMove(w.Tela1, at);
  ClickView(at);
  ASSERT_EQ(w.doc.Count(), 1);
  EXPECT_EQ(+w.doc.Element(0).kind, kCube);
  EXPECT_NEAR(+w.doc.Element(0).x, 6.0, 0.51);
  EXPECT_NEAR(+w.doc.Element(0).z, -3.5, 0.51);
  EXPECT_EQ(palette->Valor(), 0);  // back to the cursor
  EXPECT_FALSE(Framed(1));

  // A second click in the view adds nothing more: it selects.
  ClickView(PixelOf(-8, 0, 8));
  EXPECT_EQ(w.doc.Count(), 1);

  // Arrows act on the chosen item's template: a sphere raised by one step
  // on the Y axis is added one step higher.
  ClickPalette(3);
  const QPoint floor = PixelOf(-4, 0, 4);
  QTest::mouseMove(w.Tela1, floor);
  Key(Qt::Key_Y);
  Key(w.screenSignV > 0 ? Qt::Key_Down : Qt::Key_Up);
  ClickView(floor);
  ASSERT_EQ(w.doc.Count(), 2);
  EXPECT_EQ(+w.doc.Element(1).kind, kSphere);
  EXPECT_EQ(+w.doc.Element(1).y, 2.5);
}

TEST_F(FirstUse, ChoosingTheCursorTakesThePreviewAway) {
  auto& w = Start();
  const QPoint at = PixelOf(-6, 0, -6);
  const QRect around(at - QPoint(30, 30), QSize(61, 61));
  const QImage empty = w.Tela1->grabFramebuffer().copy(around);
  ClickPalette(2);
  Hover(at + QPoint(3, 0));
  Hover(at);
  EXPECT_NE(w.Tela1->grabFramebuffer().copy(around), empty);  // the cylinder to be added
  ClickPalette(0);
  EXPECT_EQ(w.Tela1->grabFramebuffer().copy(around), empty);
  EXPECT_EQ(w.doc.Count(), 0);
}

TEST_F(FirstUse, DeleteWithAnItemChosenOnlyPutsThePaletteBack) {
  auto& w = Start();
  ClickKey(Qt::Key_F5);
  ClickKey(Qt::Key_F7);
  ASSERT_EQ(w.doc.Count(), 2);
  ClickPalette(2);
  // Select the first element in the list while the cylinder is chosen.
  QListWidget* list = w.Lista1;
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(0)).center());
  ASSERT_EQ(w.doc.SelectionCount(), 1);
  Key(Qt::Key_Delete);
  EXPECT_EQ(w.doc.Count(), 2);
  EXPECT_EQ(w.Mulfig1->Valor(), 0);
  Key(Qt::Key_Delete);  // with the cursor it deletes
  EXPECT_EQ(w.doc.Count(), 1);
  EXPECT_EQ(+w.doc.Element(0).kind, kSphere);
}

TEST_F(FirstUse, F9AddsABlockOnlyWithThePointerOverTheView) {
  auto& w = Start();
  Key(Qt::Key_F11);
  QCursor::setPos(w.Panel1->mapToGlobal(QPoint(600, 100)));  // over the tool strip
  QTest::qWait(60);
  Key(Qt::Key_F9);
  ClickKey(Qt::Key_Space);  // a click sent from the keyboard, in block mode
  EXPECT_EQ(w.doc.Count(), 0);
  EXPECT_EQ(w.doc.UndoCount(), 0);
  PointTo(PixelOf(3, 0, 3));
  Key(Qt::Key_F9);
  ASSERT_EQ(w.doc.Count(), 1);
  EXPECT_EQ(+w.doc.Element(0).dx, 2);
  EXPECT_EQ(+w.doc.Element(0).x, 2);
  EXPECT_EQ(+w.doc.Element(0).z, 2);
  Key(Qt::Key_F10);
}

TEST_F(FirstUse, EnterInAPropertyBoxAppliesItAndHandsTheKeysBack) {
  auto& w = Start();
  ClickKey(Qt::Key_F5);
  ASSERT_EQ(w.doc.SelectionCount(), 1);
  struct Case {
    TZSpinEdit* box;
    const char* typed;
    size_t field;  // offset in the packed record, read by copying
    double expected;
  } cases[] = {{w.EChanfro1, "40", offsetof(Element3D, chamfer), 40 * 0.027},
               {w.ESuperior1, "55", offsetof(Element3D, topPercent), 55},
               {w.EAxy, "90", offsetof(Element3D, axy), 90},
               {w.EAyz, "-45", offsetof(Element3D, ayz), -45},
               {w.EAxz, "30", offsetof(Element3D, axz), 30}};
  for (const Case& c : cases) {
    QTest::mouseClick(c.box->Edit(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    Key(Qt::Key_End);
    Key(Qt::Key_Home, Qt::ShiftModifier);  // the box's text selected
    Type(c.typed);
    Key(Qt::Key_Return);
    double value = 0;
    std::memcpy(&value, reinterpret_cast<const char*>(&w.doc.Element(0)) + c.field, sizeof value);
    EXPECT_DOUBLE_EQ(value, c.expected) << c.typed;
    EXPECT_EQ(QApplication::focusWidget(), w.Tela1) << c.typed;
  }
  // The view has the keys again: the selection still answers the arrows.
  const double x = w.doc.Element(0).x, z = w.doc.Element(0).z;
  Key(Qt::Key_Right);
  EXPECT_NE(std::fabs(+w.doc.Element(0).x - x) + std::fabs(+w.doc.Element(0).z - z), 0.0);
  EXPECT_DOUBLE_EQ(+w.doc.Element(0).axy, 90);
}

TEST_F(FirstUse, TheWheelZoomsByTheKeypadStepTowardWhatIsUnderThePointer) {
  auto& w = Start();
  ClickKey(Qt::Key_F5);  // a 4-unit cube around (0, 2, 0)
  const GLView& v = *w.view;

  // Over the cube: toward the picked point, which stays under the pointer.
  const QPoint onCube = PixelOf(0, 2, 2);
  double p[3];
  w.Tela1->WithContext([&] { UnprojectAtPixel(v, onCube.x(), onCube.y(), p[0], p[1], p[2]); });
  Camera before(v);
  Wheel(onCube, 120);
  EXPECT_NEAR(Distance(before.eye, v.Eye), 0.5, 1e-9);
  EXPECT_NEAR(Distance(before.eye, p) - Distance(v.Eye, p), 0.5, 1e-6);
  EXPECT_NEAR(Distance(v.Eye, v.Center), Distance(before.eye, before.center), 1e-9);
  const QPoint after = PixelOf(p[0], p[1], p[2]);
  EXPECT_LE((after - onCube).manhattanLength(), 2);

  // Back out, a fifth of a step with Ctrl, in two half notches.
  Camera mid(v);
  Wheel(onCube, -60, Qt::ControlModifier);
  EXPECT_EQ(Distance(mid.eye, v.Eye), 0.0);
  Wheel(onCube, -60, Qt::ControlModifier);
  EXPECT_NEAR(Distance(mid.eye, v.Eye), 0.1, 1e-9);
  EXPECT_LT(Distance(mid.eye, p), Distance(v.Eye, p));

  // Over the floor: toward the floor point.
  const QPoint onFloor = PixelOf(-9, 0, 6);
  Camera floor(v);
  Wheel(onFloor, 240);
  const double target[3] = {-9, 0, 6};
  EXPECT_NEAR(Distance(floor.eye, v.Eye), 1.0, 1e-9);
  EXPECT_NEAR(Distance(floor.eye, target) - Distance(v.Eye, target), 1.0, 0.02);

  // Over the empty background: along the line of sight, as the keypad does.
  Camera sky(v);
  Wheel(QPoint(w.Tela1->width() - 5, 5), 120);
  double moved[3], sight[3];
  for (int i = 0; i < 3; ++i) moved[i] = v.Eye[i] - sky.eye[i], sight[i] = sky.center[i] - sky.eye[i];
  const double zero[3] = {0, 0, 0};
  const double cosine = (moved[0] * sight[0] + moved[1] * sight[1] + moved[2] * sight[2]) /
                        (Distance(moved, zero) * Distance(sight, zero));
  EXPECT_NEAR(cosine, 1.0, 1e-9);
  EXPECT_NEAR(Distance(moved, zero), 0.5, 1e-9);
}

TEST_F(FirstUse, RedoBringsBackWhatUndoTookAndANewEditDropsIt) {
  auto& w = Start();
  // The Edit menu lists Refazer right under Desfazer.
  const QList<QAction*> items = w.Editar1->actions();
  const qsizetype undo = items.indexOf(w.Desfazer1);
  ASSERT_GE(undo, 0);
  ASSERT_LT(undo + 1, items.size());
  EXPECT_EQ(items[undo + 1]->text(), "Refazer");

  ClickKey(Qt::Key_F5);
  Key(Qt::Key_Right);
  Key(Qt::Key_Right);
  const double moved = w.doc.Element(0).x + w.doc.Element(0).z;
  ASSERT_NE(moved, 0);
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(+w.doc.Element(0).x + +w.doc.Element(0).z, 0);
  Key(Qt::Key_Y, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(+w.doc.Element(0).x + +w.doc.Element(0).z, moved);
  EXPECT_EQ(w.MEixo1->Valor(), 3);  // neither key chose an axis

  // With the item disabled (as the menu leaves it when there is nothing to
  // redo) the keys reach the view and redo there.
  Key(Qt::Key_E, Qt::AltModifier);  // open Editar ...
  Key(Qt::Key_Escape);              // ... and close it
  Key(Qt::Key_Escape);
  ASSERT_FALSE(w.Refazer1->isEnabled());
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(+w.doc.Element(0).x + +w.doc.Element(0).z, moved);
  EXPECT_EQ(w.MEixo1->Valor(), 3);

  // A new edit after an undo: nothing left to redo.
  Key(Qt::Key_Z, Qt::ControlModifier);
  const double undone = w.doc.Element(0).x + w.doc.Element(0).z;
  ClickKey(Qt::Key_F7);
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(+w.doc.Element(0).x + +w.doc.Element(0).z, undone);
  EXPECT_EQ(w.doc.Count(), 2);
}

TEST_F(FirstUse, TheStatusLineFollowsModeAxisGridSelectionAndPointer) {
  auto& w = Start();
  // Shown, below the view.
  ASSERT_TRUE(w.BarraDeEstado1->isVisible());
  EXPECT_GE(w.BarraDeEstado1->mapTo(&w, QPoint(0, 0)).y(), w.Tela1->mapTo(&w, QPoint(0, w.Tela1->height())).y());
  EXPECT_TRUE(Status().contains("Modo: Mover")) << Status().toStdString();
  EXPECT_TRUE(Status().contains("Eixo: XZ"));
  EXPECT_TRUE(Status().contains("Grade: 0.5"));
  EXPECT_TRUE(Status().contains("Selecionados: 0"));
  EXPECT_FALSE(Status().contains("Piso"));

  Key(Qt::Key_S);
  Key(Qt::Key_X);
  EXPECT_TRUE(Status().contains("Modo: Redimensionar")) << Status().toStdString();
  EXPECT_TRUE(Status().contains("Eixo: X "));
  Key(Qt::Key_R);
  EXPECT_TRUE(Status().contains("Modo: Girar"));
  ClickKey(Qt::Key_F5);
  ClickKey(Qt::Key_F6);
  EXPECT_TRUE(Status().contains("Selecionados: 1"));

  // The floor point under the pointer, while there is one.
  Hover(PixelOf(7, 0, -5));
  const QString s = Status();
  const int at = s.indexOf("Piso: x ");
  ASSERT_GE(at, 0) << s.toStdString();
  const QStringList parts = s.mid(at).split(' ', Qt::SkipEmptyParts);  // Piso: x X z Z
  ASSERT_GE(parts.size(), 5);
  EXPECT_NEAR(parts[2].toDouble(), 7, 0.1);
  EXPECT_NEAR(parts[4].toDouble(), -5, 0.1);
  Hover(QPoint(w.Tela1->width() - 5, 5));  // the background
  EXPECT_FALSE(Status().contains("Piso")) << Status().toStdString();

  // The grid step, as Editar > Grade... sets it.
  WhenModal([](QWidget* modal) {
    auto* box = qobject_cast<TZBox*>(modal);
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box->Entrada(), Qt::Key_End);
    QTest::keyClick(box->Entrada(), Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClicks(box->Entrada(), "1.5");
    QTest::mouseClick(box->BotaoOK(), Qt::LeftButton);
  });
  Key(Qt::Key_E, Qt::AltModifier);
  QMenu* menu = w.Editar1;
  ASSERT_TRUE(menu->isVisible());
  QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(w.Grade1).center());
  EXPECT_EQ(w.doc.editStep[1], 1.5);
  EXPECT_TRUE(Status().contains("Grade: 1.5")) << Status().toStdString();
}

TEST(StatusLineText, TheAlternateLanguageHasItsOwnWords) {
  TestFolder dir;
  dir.write("tradutorgeral.dat", "@GENERAL\r\n");
  LoadDictionaryFile(dir.file("tradutorgeral.dat"));
  EstadoDaEdicao e;
  e.modo = 1, e.eixo = 2, e.passo = 0.25, e.selecionados = 3, e.noPiso = true, e.x = -1.234, e.z = 0.004;
  const std::string english = TextoDaBarraDeEstado(e);
  FreeDictionary();
  const std::string portuguese = TextoDaBarraDeEstado(e);
  EXPECT_EQ(english, "Mode: Scale     Axis: Z     Grid: 0.25     Selected: 3     Floor: x -1.23  z 0");
  EXPECT_EQ(portuguese, "Modo: Redimensionar     Eixo: Z     Grade: 0.25     Selecionados: 3     Piso: x -1.23  z 0");
}
