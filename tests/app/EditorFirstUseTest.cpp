// The window as a new user meets it: started, then driven only by keys,
// pointer moves, clicks and wheel turns at pixels projected through the
// view's last frame; results read from the document, the frame, the status
// line or the saved file.
#include <QAction>
#include <QCursor>
#include <QPushButton>
#include <QScreen>
#include <QWheelEvent>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "EditorFixture.h"
#include "TBarraDeEstado.h"
#include "common/Dictionary.h"
#include "controls/TAtlEdit.h"
#include "controls/TZBox.h"
#include "controls/TZSpinEdit.h"
#include "gl/GLView.h"

namespace {
using V3 = std::array<double, 3>;
V3 EyeOf(const GLView& v) { return {v.Eye[0], v.Eye[1], v.Eye[2]}; }
double Distance(const V3& a, const V3& b) { return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]); }

class FirstUse : public EditorFixture {
 protected:
  // Pixels of the last frame in `area` (all of it when empty) that match,
  // leaving out the gizmo's corner.
  int Pixels(const std::function<bool(QColor)>& match, QRect area = {}) {
    const QImage frame = ViewOf(*window)->grabFramebuffer();
    area = area.isEmpty() ? frame.rect() : area & frame.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x)
        if (!(x < 70 && y > frame.height() - 70) && match(frame.pixelColor(x, y))) ++n;
    return n;
  }

  // Whether the screen shows the palette item framed as chosen (a grab of
  // the widget would paint it afresh instead).
  bool Framed(int item) {
    const QImage shot = window->screen()->grabWindow(window->winId()).toImage();
    const QPoint corner =
        Child<TMulfig>(*window, "Mulfig1")
            ->mapTo(window.get(), Child<TMulfig>(*window, "Mulfig1")->RetanguloDoItem(item).topLeft());
    return shot.pixelColor((QPointF(corner) * shot.devicePixelRatio()).toPoint()) == QColor(119, 119, 119);
  }

  QString Status() { return window->Probe().StatusLine(); }

  void Wheel(QPoint at, int delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWheelEvent event(at, ViewOf(*window)->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(ViewOf(*window), &event);
    QApplication::processEvents();
  }
};

// Grid lines are tinted blue (along Z) or red (along X) on the grey background.
bool Tinted(QColor c) { return std::abs(c.blue() - c.red()) >= 8; }
}  // namespace

// The first key reaches the view, and the cube it adds saves as the worked example.
TEST_F(FirstUse, TheFirstKeyAddsTheCubeThatSavesAsTheWorkedExample) {
  auto& w = Open();
  Key(Qt::Key_F5);
  ASSERT_EQ(w.Probe().Count(), 1);
  const Element3D e = w.Probe().Element(0);
  EXPECT_EQ(+e.kind, kCube);
  EXPECT_EQ(e.name.str(), "cubo1");
  EXPECT_EQ((V3{e.x, e.y, e.z}), (V3{0, 2, 0}));
  EXPECT_EQ(Child<TMulfig>(w, "Mulfig1")->Valor(), 0);

  files.paths = {dir.file("cube.zobj3d")};
  Key(Qt::Key_S, Qt::ControlModifier);  // untitled: asks for the name
  const std::string bytes = dir.read("cube.zobj3d");
  ASSERT_EQ(bytes.size(), 311u);
  EXPECT_EQ(bytes.substr(0, 22), std::string("ZObjeto3D 1.00\x01\0\0\0\x21\x01\0\0", 22));
  EXPECT_EQ(bytes.substr(26, 6),
            "\x05"
            "cubo1");
  EXPECT_EQ(bytes.substr(162, 4), std::string("\x85\x93\x85\0", 4));
  EXPECT_EQ(bytes.substr(166, 8), "\xEC\x51\xB8\x1E\x85\xEB\xB1\x3F");
  EXPECT_EQ(bytes.substr(182, 13),
            "\x0C"
            "texture3.bmp");
  EXPECT_EQ(w.Probe().UndoCount(), 0);  // every save empties the history

  Key(Qt::Key_F6);  // and the next key too
  ASSERT_EQ(w.Probe().Count(), 2);
  EXPECT_EQ(+w.Probe().Element(1).kind, kCylinder);
}

TEST_F(FirstUse, AnEmptyDocumentKeepsItsGridAndBlockCursorAfterRedraws) {
  auto& w = Open();
  const int atStart = Pixels(Tinted);
  ASSERT_GT(atStart, 2000);
  Key(Qt::Key_Escape);  // normal edit: a full redraw of the empty document
  Key(Qt::Key_F10);     // and another
  EXPECT_GT(Pixels(Tinted), atStart * 9 / 10);

  // The block cursor: a dark grey wire box around the cell under the pointer.
  const QPoint cell = PixelOf(1, 1, 1);
  // The top face's middle, in framebuffer pixels: as wide as 25 desktop pixels.
  const int half = qRound(12 * ViewOf(w)->PixelRatio());
  const QRect top(FramePixelOf(0, 2, 0) - QPoint(half, half), QSize(2 * half + 1, 2 * half + 1));
  auto dark = [](QColor c) { return c.red() < 110 && std::abs(c.red() - c.blue()) < 12; };
  MovePointer(cell);
  const int before = Pixels(dark, top);
  Key(Qt::Key_F11);
  QTest::mouseMove(ViewOf(w), cell + QPoint(1, 0));  // a move runs the cursor's tick at once
  QTest::mouseMove(ViewOf(w), cell);
  // The frame comes with the next paint, which a loaded machine may delay.
  EXPECT_TRUE(QTest::qWaitFor([&] { return Pixels(dark, top) > before + 10; }, 3000)) << "no block cursor";
  EXPECT_GT(Pixels(Tinted), atStart * 9 / 10);
  Key(Qt::Key_F10);
}

TEST_F(FirstUse, ThePaletteKeepsItsChoiceUntilTheClickInTheView) {
  auto& w = Open();
  TMulfig* palette = Child<TMulfig>(w, "Mulfig1");
  // The kind to be added follows the pointer; choosing the cursor takes it away.
  const QRect around(FramePixelOf(-6, 0, -6) - QPoint(30, 30), QSize(61, 61));
  const QImage empty = ViewOf(w)->grabFramebuffer().copy(around);
  ClickPalette(2);
  MovePointer(PixelOf(-6, 0, -6) + QPoint(3, 0));
  MovePointer(PixelOf(-6, 0, -6));
  EXPECT_NE(ViewOf(w)->grabFramebuffer().copy(around), empty);
  ClickPalette(0);
  EXPECT_EQ(ViewOf(w)->grabFramebuffer().copy(around), empty);

  ClickPalette(1);
  EXPECT_EQ(palette->Valor(), 1);
  // Passing over the palette's other items leaves the chosen one framed.
  for (int item : {0, 2, 3, 1, 0}) QTest::mouseMove(palette, palette->RetanguloDoItem(item).center());
  QTest::mouseMove(ViewOf(w), QPoint(40, 40));
  EXPECT_TRUE(Framed(1));
  EXPECT_FALSE(Framed(2));

  // The template follows the pointer over the floor; the press adds it there, selected.
  const QPoint at = PixelOf(6.2, 0, -3.7);
  QTest::mouseMove(ViewOf(w), at + QPoint(5, 5));
  QTest::mouseMove(ViewOf(w), at);
  ClickView(at);
  ASSERT_EQ(w.Probe().Count(), 1);
  EXPECT_EQ(+w.Probe().Element(0).kind, kCube);
  EXPECT_EQ(w.Probe().Element(0).name.str(), "cubo1");
  EXPECT_NEAR(+w.Probe().Element(0).x, 6.0, 0.51);
  EXPECT_NEAR(+w.Probe().Element(0).z, -3.5, 0.51);
  ASSERT_EQ(w.Probe().SelectionCount(), 1);
  EXPECT_EQ(w.Probe().SelectedIndex(0), 0);
  EXPECT_EQ(palette->Valor(), 0);  // back to the cursor
  EXPECT_FALSE(Framed(1));

  // A second click in the view adds nothing more: it selects.
  ClickView(PixelOf(-8, 0, 8));
  EXPECT_EQ(w.Probe().Count(), 1);

  // Arrows act on the chosen item's template: a sphere raised by one step
  // on the Y axis is added one step higher.
  ClickPalette(3);
  const QPoint floor = PixelOf(-4, 0, 4);
  QTest::mouseMove(ViewOf(w), floor);
  Key(Qt::Key_Y);
  Key(Qt::Key_Up);  // its picture goes up: it rises
  ClickView(floor);
  ASSERT_EQ(w.Probe().Count(), 2);
  EXPECT_EQ(+w.Probe().Element(1).kind, kSphere);
  EXPECT_EQ(+w.Probe().Element(1).y, 2.5);
}

TEST_F(FirstUse, EnterInAPropertyBoxAppliesItAndHandsTheKeysBack) {
  auto& w = Open();
  Key(Qt::Key_F5);
  ASSERT_EQ(w.Probe().SelectionCount(), 1);
  struct Case {
    TZSpinEdit* box;
    const char* typed;
    size_t field;  // offset in the packed record, read by copying
    double expected;
  } cases[] = {{Child<TZSpinEdit>(w, "EChanfro1"), "40", offsetof(Element3D, chamfer), 40 * 0.027},
               {Child<TZSpinEdit>(w, "ESuperior1"), "55", offsetof(Element3D, topPercent), 55},
               {Child<TZSpinEdit>(w, "EAxy"), "90", offsetof(Element3D, axy), 90},
               {Child<TZSpinEdit>(w, "EAyz"), "-45", offsetof(Element3D, ayz), -45},
               {Child<TZSpinEdit>(w, "EAxz"), "30", offsetof(Element3D, axz), 30}};
  for (const Case& c : cases) {
    QTest::mouseClick(c.box->Edit(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    Key(Qt::Key_End);
    Key(Qt::Key_Home, Qt::ShiftModifier);  // the box's text selected
    for (const char* t = c.typed; *t; ++t) QTest::keyClick(w.windowHandle(), *t);
    Key(Qt::Key_Return);
    double value = 0;
    const Element3D e = w.Probe().Element(0);
    std::memcpy(&value, reinterpret_cast<const char*>(&e) + c.field, sizeof value);
    EXPECT_DOUBLE_EQ(value, c.expected) << c.typed;
    EXPECT_EQ(QApplication::focusWidget(), ViewOf(w)) << c.typed;
  }
  // The view has the keys again: the selection still answers the arrows.
  const double x = w.Probe().Element(0).x, z = w.Probe().Element(0).z;
  Key(Qt::Key_Right);
  EXPECT_NE(std::fabs(+w.Probe().Element(0).x - x) + std::fabs(+w.Probe().Element(0).z - z), 0.0);
  EXPECT_DOUBLE_EQ(+w.Probe().Element(0).axy, 90);
}

// A notch goes 12 % of the way to what is under the pointer, which stays
// under it; the view keeps its direction.
TEST_F(FirstUse, TheWheelZoomsAShareOfTheWayTowardWhatIsUnderThePointer) {
  auto& w = Open();
  Key(Qt::Key_F5);  // a 4-unit cube around (0, 2, 0)
  const GLView& v = w.Probe().View();
  auto sight = [&v] {
    const V3 d{v.Center[0] - v.Eye[0], v.Center[1] - v.Eye[1], v.Center[2] - v.Eye[2]};
    const double n = std::hypot(d[0], d[1], d[2]);
    return V3{d[0] / n, d[1] / n, d[2] / n};
  };
  const V3 direction = sight();

  // Over the cube: toward the picked point, which stays under the pointer.
  const QPoint onCube = PixelOf(0, 2, 2), onCubePixel = ViewOf(w)->ToPixels(onCube);
  V3 p;
  ViewOf(w)->WithContext([&] { UnprojectAtPixel(v, onCubePixel.x(), onCubePixel.y(), p[0], p[1], p[2]); });
  double before = Distance(EyeOf(v), p);
  Wheel(onCube, 120);
  EXPECT_NEAR(Distance(EyeOf(v), p), 0.88 * before, 1e-4 * before);
  EXPECT_LE((PixelOf(p[0], p[1], p[2]) - onCube).manhattanLength(), 2);
  EXPECT_LT(Distance(sight(), direction), 1e-9) << "the view turned";

  // Back out, a fifth of a notch with Ctrl, in two half notches.
  before = Distance(EyeOf(v), p);
  Wheel(onCube, -60, Qt::ControlModifier);
  EXPECT_EQ(Distance(EyeOf(v), p), before);
  Wheel(onCube, -60, Qt::ControlModifier);
  EXPECT_NEAR(Distance(EyeOf(v), p), before / std::pow(0.88, 0.2), 1e-3 * before);

  // Over the floor: toward the floor point, two notches.
  const V3 floor{-9, 0, 6};
  before = Distance(EyeOf(v), floor);
  Wheel(PixelOf(-9, 0, 6), 240);
  EXPECT_NEAR(Distance(EyeOf(v), floor), 0.88 * 0.88 * before, 0.01 * before);

  // Over the empty background: toward the point as deep as the centre.
  before = Distance(EyeOf(v), {v.Center[0], v.Center[1], v.Center[2]});
  Wheel(QPoint(ViewOf(w)->width() - 5, 5), 120);
  EXPECT_NEAR(Distance(EyeOf(v), {v.Center[0], v.Center[1], v.Center[2]}), 0.88 * before, 1e-9 * before);
  EXPECT_LT(Distance(sight(), direction), 1e-9);

  // Forty notches bring the cube right up, never through it.
  const double width = std::abs(PixelOf(-0.5, 2, 2).x() - PixelOf(0.5, 2, 2).x());
  for (int k = 0; k < 40; ++k) Wheel(PixelOf(0, 2, 2), 120);
  EXPECT_GT(std::abs(PixelOf(-0.5, 2, 2).x() - PixelOf(0.5, 2, 2).x()), 5 * width);
  EXPECT_GE(Distance(EyeOf(v), {0, 2, 2}), 1.0);
}

// Undo and redo answer their keys through the menu's items, or through the
// view while the menu left an item disabled; no key of theirs chooses an axis.
TEST_F(FirstUse, UndoAndRedoKeysWorkWithTheMenuItemsEnabledOrNot) {
  auto& w = Open();
  const QList<QAction*> items = Child<QMenu>(w, "Editar1")->actions();
  ASSERT_GE(items.indexOf(Child<QAction>(w, "Desfazer1")), 0);
  EXPECT_EQ(items.value(items.indexOf(Child<QAction>(w, "Desfazer1")) + 1),
            Child<QAction>(w, "Refazer1"));  // Refazer right under Desfazer
  auto moved = [&w] { return +w.Probe().Element(0).x + +w.Probe().Element(0).z; };
  auto openAndCloseEditMenu = [this] {
    Key(Qt::Key_E, Qt::AltModifier);
    Key(Qt::Key_Escape);
    Key(Qt::Key_Escape);
  };

  openAndCloseEditMenu();  // nothing to undo or redo: both items disabled
  ASSERT_FALSE(Child<QAction>(w, "Desfazer1")->isEnabled());
  Key(Qt::Key_F5);
  Key(Qt::Key_Right);
  Key(Qt::Key_Right);
  const double far = moved();
  ASSERT_NE(far, 0);
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(moved(), 0) << "undo through the view";
  Key(Qt::Key_Y, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(moved(), far) << "redo through the view";
  EXPECT_EQ(Child<TMulfig>(w, "MEixo1")->Valor(), 3);

  Key(Qt::Key_Z, Qt::ControlModifier);
  openAndCloseEditMenu();
  ASSERT_TRUE(Child<QAction>(w, "Desfazer1")->isEnabled() && Child<QAction>(w, "Refazer1")->isEnabled());
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(moved(), far) << "redo through the menu";
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(moved(), 0) << "undo through the menu";
  EXPECT_EQ(Child<TMulfig>(w, "MEixo1")->Valor(), 3);

  // A new edit after an undo: nothing left to redo.
  Key(Qt::Key_F7);
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(moved(), 0);
  EXPECT_EQ(w.Probe().Count(), 2);
}

TEST_F(FirstUse, TheStatusLineFollowsModeAxisGridSelectionAndPointer) {
  auto& w = Open();
  ASSERT_TRUE(Child<TBarraDeEstado>(w, "BarraDeEstado1")->isVisible());
  EXPECT_GE(Child<TBarraDeEstado>(w, "BarraDeEstado1")->mapTo(&w, QPoint(0, 0)).y(),
            ViewOf(w)->mapTo(&w, QPoint(0, ViewOf(w)->height())).y());
  for (const char* part : {"Modo: Mover", "Eixo: XZ", "Grade: 0.5", "Selecionados: 0"})
    EXPECT_TRUE(Status().contains(part)) << Status().toStdString();
  EXPECT_FALSE(Status().contains("Piso"));

  Key(Qt::Key_S);
  Key(Qt::Key_X);
  EXPECT_TRUE(Status().contains("Modo: Redimensionar")) << Status().toStdString();
  EXPECT_TRUE(Status().contains("Eixo: X "));
  Key(Qt::Key_R);
  EXPECT_TRUE(Status().contains("Modo: Girar"));
  Key(Qt::Key_F5);
  Key(Qt::Key_F6);
  EXPECT_TRUE(Status().contains("Selecionados: 1"));

  // The floor point under the pointer, while there is one.
  MovePointer(PixelOf(7, 0, -5));
  const QString s = Status();
  const QStringList parts = s.mid(s.indexOf("Piso: x ")).split(' ', Qt::SkipEmptyParts);  // Piso: x X z Z
  ASSERT_TRUE(s.contains("Piso: x ") && parts.size() >= 5) << s.toStdString();
  EXPECT_NEAR(parts[2].toDouble(), 7, 0.1);
  EXPECT_NEAR(parts[4].toDouble(), -5, 0.1);
  MovePointer(QPoint(ViewOf(w)->width() - 5, 5));  // the background
  EXPECT_FALSE(Status().contains("Piso")) << Status().toStdString();

  // Editar > Grade... sets the step of all three axes.
  WhenModal([](QWidget* modal) {
    auto* box = qobject_cast<TZBox*>(modal);
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box->Entrada(), Qt::Key_End);
    QTest::keyClick(box->Entrada(), Qt::Key_Home, Qt::ShiftModifier);
    QTest::keyClicks(box->Entrada(), "1.5");
    QTest::mouseClick(box->BotaoOK(), Qt::LeftButton);
  });
  Pick('E', Child<QAction>(w, "Grade1"));
  for (int axis = 0; axis < 3; ++axis) EXPECT_EQ(w.Probe().EditStep(axis), 1.5) << axis;
  EXPECT_TRUE(Status().contains("Grade: 1.5")) << Status().toStdString();
}

TEST(StatusLineText, TheAlternateLanguageHasItsOwnWords) {
  TestFolder dir;
  dir.write("tradutorgeral.dat", "@GENERAL\r\n");
  LoadDictionaryFile(dir.file("tradutorgeral.dat"));
  EstadoDaEdicao e;
  e.modo = 1, e.eixo = 2, e.passo = 0.25, e.selecionados = 3, e.noPiso = true, e.x = -1.234, e.z = 0.004;
  e.medidas = true, e.tamanho[0] = 100, e.tamanho[1] = 74, e.tamanho[2] = 60, e.centro[1] = 37;
  const std::string english = TextoDaBarraDeEstado(e);
  FreeDictionary();
  EXPECT_EQ(
      english,
      "Mode: Scale     Axis: Z     Grid: 0.25     Selected: 3 \xB7 100 \xD7 74 \xD7 60 cm \xB7 centre (0, 37, 0)     "
      "Snap: on     Pivot: each element     Perspective     Floor: x -1.23  z 0");
  EXPECT_EQ(TextoDaBarraDeEstado(e),
            "Modo: Redimensionar     Eixo: Z     Grade: 0.25     Selecionados: 3 \xB7 100 \xD7 74 \xD7 60 cm \xB7 "
            "centro (0, 37, 0)     Encaixe: ligado     Piv\xF4: cada elemento     Perspectiva     Piso: x -1.23  z 0");
}
