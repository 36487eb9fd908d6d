// Exact values typed from the keyboard, selection tools, duplicate, frame,
// the middle-button pan and the key list, driven by keys and clicks.
#include <QCheckBox>
#include <QFile>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolTip>
#include <cmath>
#include <set>

#include "EditorCommands.h"
#include "EditorFixture.h"
#include "InterfaceLanguage.h"
#include "KeysWindow.h"
#include "LatinText.h"
#include "controls/TAtlEdit.h"
#include "controls/TSBM.h"
#include "controls/TZSpinEdit.h"
#include "gl/GLView.h"

namespace {
struct Discovery : EditorFixture {
  std::vector<Element3D> Saved() {
    Key(Qt::Key_S, Qt::ControlModifier);
    return ReadElements(dir.file("doc.zobj3d"));
  }
  void Type(const char* text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
    QApplication::processEvents();
  }
  QLineEdit* Focused() const { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }
  // How much of the view shows the colour of `RedCube`.
  double RedShare() {
    const QImage frame = ViewOf(*window)->grabFramebuffer();
    int red = 0;
    for (int y = 0; y < frame.height(); y += 2)
      for (int x = 0; x < frame.width(); x += 2) {
        const QColor c = frame.pixelColor(x, y);
        red += c.red() > 120 && c.green() < 60 && c.blue() < 60;
      }
    return red / (frame.width() * frame.height() / 4.0);
  }
};

Element3D RedCube(const char* name, double x, double z) {
  Element3D e = Cube(name, x);
  e.z = z;
  e.color = 0x0000FF;
  return e;
}
}  // namespace

// N puts the keys into X; Tab walks the boxes and the angles; Enter applies
// a typed decimal (with a comma) and gives the keys back; a size of zero is
// refused with a warning; a text that is no number stays marked until Esc.
TEST_F(Discovery, ExactValuesAreTypedFromTheKeyboard) {
  auto& w = OpenWith({Cube("a", -4), Cube("b", 4)});
  ClickView(PixelOf(-4, 1, 0));
  ASSERT_EQ(w.Probe().SelectionCount(), 1);
  const int stepsBefore = w.Probe().UndoCount();
  Key(Qt::Key_N);
  ASSERT_NE(Focused(), nullptr);
  EXPECT_EQ(Focused()->selectedText(), "-4");
  Type("2,5");
  Key(Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), ViewOf(w));
  EXPECT_EQ(w.Probe().UndoCount(), stepsBefore + 1);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(+w.Probe().Element(0).x, -4);
  Key(Qt::Key_Y, Qt::ControlModifier);
  std::vector<Element3D> saved = Saved();
  EXPECT_EQ(+saved[0].x, 2.5);
  EXPECT_EQ(+saved[1].x, 4);
  EXPECT_EQ(w.Probe().SelectionCount(), 1) << "undo and redo keep the selection";

  // Typed and left with Esc: nothing applied.
  Key(Qt::Key_N);
  Type("7");
  Key(Qt::Key_Escape);
  EXPECT_EQ(QApplication::focusWidget(), ViewOf(w));
  EXPECT_EQ(w.Probe().SelectionCount(), 1) << "Esc in a box keeps the selection";

  // X, Y, Z, DX: a size of 0 is refused and the box shows the size again.
  Key(Qt::Key_N);
  for (int k = 0; k < 3; ++k) Key(Qt::Key_Tab);
  Type("0");
  Key(Qt::Key_Return);
  EXPECT_EQ(boxes.warnings.size(), 1u);
  EXPECT_EQ(Focused() ? Focused()->text() : QString(), "2");
  // On to the first angle, which takes a decimal turn too.
  for (int k = 0; k < 3; ++k) Key(Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(Child<TZSpinEdit>(w, "EAxy")->Edit()));
  Type("12,5");
  Key(Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), ViewOf(w));
  // Shift+Tab from X leaves the boxes for the control before them.
  Key(Qt::Key_N);
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), static_cast<QWidget*>(Child<QCheckBox>(w, "CInvisivel")));
  Key(Qt::Key_Escape);
  saved = Saved();
  EXPECT_EQ(+saved[0].x, 2.5);
  EXPECT_EQ(+saved[0].dx, 2);
  EXPECT_EQ(+saved[0].axy, 12.5);
  EXPECT_EQ(Child<TZSpinEdit>(w, "EAxy")->Edit()->text(), "12") << "the box shows whole degrees";

  // A text that is no number is kept; Esc brings the value back, and so
  // does another element chosen.
  Key(Qt::Key_N);
  QLineEdit* x = Focused();
  ASSERT_NE(x, nullptr);
  Type("2,5,1");
  Key(Qt::Key_Return);
  EXPECT_EQ(x->text(), "2,5,1");
  EXPECT_EQ(QApplication::focusWidget(), x);
  Key(Qt::Key_Escape);
  EXPECT_EQ(x->text(), "2.5");
  Key(Qt::Key_N);
  Type("abc");
  ClickView(PixelOf(4, 1, 0));
  EXPECT_EQ(x->text(), "4");
  EXPECT_EQ(+Saved()[0].x, 2.5);
}

// Typed values go into every selected element, in one step.
TEST_F(Discovery, SelectAllThenTypeOrDeleteActsOnEveryVisibleElement) {
  Element3D hidden = Cube("hidden", 8);
  hidden.invisible = 1;
  auto& w = OpenWith({Cube("a", -4), Cube("b", 0), hidden});
  Key(Qt::Key_A, Qt::ControlModifier);
  ASSERT_EQ(w.Probe().SelectionCount(), 2);
  EXPECT_EQ(Child<QListView>(w, "Lista1")->selectionModel()->selectedRows().size(), 2);
  Key(Qt::Key_N);
  Key(Qt::Key_Tab);
  Type("3.25");
  Key(Qt::Key_Return);
  std::vector<Element3D> saved = Saved();
  EXPECT_EQ(+saved[0].y, 3.25);
  EXPECT_EQ(+saved[1].y, 3.25);
  EXPECT_EQ(+saved[2].y, 1);
  Key(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(w.Probe().SelectionCount(), 0);
  EXPECT_FALSE(Child<QListView>(w, "Lista1")->selectionModel()->hasSelection());
  Key(Qt::Key_A, Qt::ControlModifier);
  Key(Qt::Key_Escape);
  EXPECT_EQ(w.Probe().SelectionCount(), 0);
  Key(Qt::Key_A, Qt::ControlModifier);
  Key(Qt::Key_Delete);
  EXPECT_EQ(w.Probe().Count(), 1);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.Probe().Count(), 3);
  Key(Qt::Key_A, Qt::ControlModifier);
  Key(Qt::Key_Delete);
  saved = Saved();
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].name.str(), "hidden");
  EXPECT_TRUE(w.statusBar()->currentMessage().startsWith(QString::fromUtf8("Salvo doc.zobj3d \u2014 ")))
      << w.statusBar()->currentMessage().toStdString();
}

// B and a drag select what has its centre in the rectangle; Shift adds.
TEST_F(Discovery, BoxSelectionTakesTheCentresInsideTheRectangle) {
  auto& w = OpenWith({Cube("a", -6), Cube("b", 0), Cube("c", 6)});
  const QPoint a = PixelOf(-6, 1, 0), b = PixelOf(0, 1, 0), c = PixelOf(6, 1, 0);
  // Over the centres of b and c, then a with Shift: all three.
  const QPoint from((a.x() + b.x()) / 2, b.y() - 30), to(c.x() + 20, c.y() + 30);
  Key(Qt::Key_B);
  QTest::mousePress(ViewOf(w), Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(ViewOf(w), (from + to) / 2);
  QTest::mouseMove(ViewOf(w), to);
  QTest::mouseRelease(ViewOf(w), Qt::LeftButton, Qt::NoModifier, to);
  ASSERT_EQ(w.Probe().SelectionCount(), 2);
  EXPECT_EQ(Child<QListView>(w, "Lista1")->selectionModel()->selectedRows().size(), 2);
  Key(Qt::Key_B);
  QTest::mousePress(ViewOf(w), Qt::LeftButton, Qt::ShiftModifier, a - QPoint(15, 15));
  QTest::mouseRelease(ViewOf(w), Qt::LeftButton, Qt::ShiftModifier, a + QPoint(15, 15));
  EXPECT_EQ(w.Probe().SelectionCount(), 3);

  // Without B a drag on empty space turns the camera, as it always did.
  const double eyeX = w.Probe().View().Eye[0];
  QTest::mousePress(ViewOf(w), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseMove(ViewOf(w), QPoint(25, 5));
  QTest::mouseRelease(ViewOf(w), Qt::LeftButton, Qt::NoModifier, QPoint(25, 5));
  EXPECT_NE(w.Probe().View().Eye[0], eyeX);
  EXPECT_EQ(w.Probe().SelectionCount(), 0);

  Key(Qt::Key_Home);
  Key(Qt::Key_B);
  QTest::mousePress(ViewOf(w), Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseRelease(ViewOf(w), Qt::LeftButton, Qt::NoModifier, to);
  Key(Qt::Key_Delete);
  EXPECT_EQ(w.Probe().Count(), 1);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.Probe().Count(), 3);
  Key(Qt::Key_Y, Qt::ControlModifier);
  std::vector<Element3D> saved = Saved();
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].name.str(), "a");
}

// Ctrl+D and Shift+D copy the selection one step aside, select the copies
// and leave the move mode on; one undo step each.
TEST_F(Discovery, DuplicateCopiesTheSelectionOneStepAside) {
  auto& w = OpenWith({Cube("a", -4), Cube("b", 4)});
  ClickView(PixelOf(4, 1, 0));
  Key(Qt::Key_R);  // turn mode, which the copy leaves for the move mode
  Key(Qt::Key_D, Qt::ControlModifier);
  ASSERT_EQ(w.Probe().Count(), 3);
  EXPECT_EQ(w.Probe().SelectionCount(), 1);
  EXPECT_EQ(w.Probe().SelectedIndex(0), 2);
  // The copy is what the arrows move now, in the move mode.
  Key(Qt::Key_X);
  Key(Qt::Key_Right);
  Key(Qt::Key_D, Qt::ShiftModifier);
  EXPECT_EQ(w.Probe().Count(), 4);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.Probe().Count(), 3);
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.Probe().Count(), 2);
  for (int k = 0; k < 3; ++k) Key(Qt::Key_Y, Qt::ControlModifier);
  const std::vector<Element3D> saved = Saved();
  ASSERT_EQ(saved.size(), 4u);
  EXPECT_EQ(+saved[1].x, 4);
  EXPECT_EQ(+saved[2].x, 5);
  EXPECT_EQ(+saved[2].z, 0.5);
  EXPECT_EQ(+saved[3].x, 5.5);
  EXPECT_EQ(+saved[3].z, 1);
  std::set<std::string> names;
  for (const Element3D& e : saved) names.insert(e.name.str());
  EXPECT_EQ(names.size(), 4u) << "copies are named afresh";
}

// F frames the selection, or everything: a far element then fills much of
// the view. Home gives the default view back.
TEST_F(Discovery, FrameBringsAFarElementIntoTheView) {
  auto& w = OpenWith({RedCube("far", 40, -60)});
  const double before = RedShare();
  Key(Qt::Key_F);
  const double framed = RedShare();
  EXPECT_LT(before, 0.01);
  EXPECT_GT(framed, 0.05);
  const QPoint centre = FramePixelOf(40, 1, -60);
  EXPECT_NEAR(centre.x(), ViewOf(w)->Width() / 2,
              3 * ViewOf(w)->PixelRatio());  // drawn pixels, as the projection counts them
  Key(Qt::Key_Home);
  EXPECT_NEAR(RedShare(), before, 0.002);
  // The keypad's point does the same.
  Key(Qt::Key_Period, Qt::KeypadModifier);
  EXPECT_NEAR(RedShare(), framed, 0.002);
  EXPECT_EQ(w.Probe().UndoCount(), 0);
}

// A middle drag pans: the scene follows the pointer.
TEST_F(Discovery, MiddleDragPansFollowingThePointer) {
  auto& w = OpenWith({RedCube("a", 0, 0)});
  const QPoint before = PixelOf(0, 1, 0);
  const QImage pictureBefore = ViewOf(w)->grabFramebuffer();
  const QPoint start(ViewOf(w)->width() / 2, ViewOf(w)->height() / 2);
  QTest::mousePress(ViewOf(w), Qt::MiddleButton, Qt::NoModifier, start);
  QTest::mouseMove(ViewOf(w), start + QPoint(30, 10));
  QTest::mouseMove(ViewOf(w), start + QPoint(60, 20));
  QTest::mouseRelease(ViewOf(w), Qt::MiddleButton, Qt::NoModifier, start + QPoint(60, 20));
  // The grab draws the last pan's frame, whose matrices PixelOf reads.
  EXPECT_NE(ViewOf(w)->grabFramebuffer(), pictureBefore);
  const QPoint after = PixelOf(0, 1, 0);
  EXPECT_NEAR(after.x() - before.x(), 60, 6);
  EXPECT_NEAR(after.y() - before.y(), 20, 6);
  EXPECT_EQ(w.Probe().UndoCount(), 0);
  EXPECT_EQ(w.Probe().SelectionCount(), 0);
}

// F1 opens the key list; it names every key and mouse action of the table
// the key handler looks keys up in, in the interface's language.
TEST_F(Discovery, TheKeyListShowsEveryRowOfTheHandlersTable) {
  auto& w = Open();
  Key(Qt::Key_F1);
  auto* keys = w.findChild<KeysWindow*>("KeysWindow");
  ASSERT_TRUE(keys && Soon([keys] { return keys->isVisible(); }));
  EXPECT_EQ(keys->windowTitle(), "Teclas e mouse");
  const QString text = keys->List()->toPlainText();
  for (const EditorCommand& c : EditorCommands()) {
    if (!c.keysPt) continue;  // no key: a menu or strip command
    EXPECT_TRUE(text.contains(L1(c.keysPt))) << c.keysPt;
    EXPECT_TRUE(text.contains(L1(c.pt))) << c.pt;
  }
}

// Key buttons and palette items name their key; the status line says what
// a drag does in the current mode.
TEST_F(Discovery, TooltipsAndTheModeHintTeachTheKeys) {
  auto& w = Open();
  for (TSBM* b : KeyButtons(w)) EXPECT_TRUE(b->toolTip().startsWith(L1(b->Caption()))) << b->Caption();
  const QPoint cube = Child<TMulfig>(w, "Mulfig1")->RetanguloDoItem(1).center();
  QHelpEvent help(QEvent::ToolTip, cube, Child<TMulfig>(w, "Mulfig1")->mapToGlobal(cube));
  QApplication::sendEvent(Child<TMulfig>(w, "Mulfig1"), &help);
  EXPECT_EQ(QToolTip::text(), "F5: Adicionar um cubo");
  EXPECT_EQ(Child<QLabel>(w, "ModeHint1")->text(),
            L1("Arraste: mover em XZ \xB7 Shift+clique: juntar \xE0 sele\xE7\xE3o"));
  Key(Qt::Key_S);
  Key(Qt::Key_Y);
  EXPECT_TRUE(Soon([&] { return Child<QLabel>(w, "ModeHint1")->text().startsWith("Arraste: redimensionar em Y"); }));
  Key(Qt::Key_B);
  EXPECT_TRUE(Child<QLabel>(w, "ModeHint1")->text().startsWith(L1("Arraste: ret\xE2ngulo de sele\xE7\xE3o")));
}

// Every key the handler acts on is in the table, and no row of the table
// hides behind an earlier one with the same key and modifiers; every row
// has its texts in both languages, every command a row, and a menu row a
// caption.
TEST(KeyTable, EveryKeyRowIsReachableAndHasBothLanguages) {
  std::set<std::string> seen;
  std::set<CommandId> ids;
  for (const EditorCommand& c : EditorCommands()) {
    ids.insert(c.id);
    EXPECT_TRUE(*c.pt && *c.en);
    EXPECT_EQ(c.keysPt == nullptr, c.keysEn == nullptr);
    EXPECT_TRUE(c.menu == MenuPlace::None || c.menuPt) << c.en;
    EXPECT_EQ(&CommandOf(c.id) == &c || c.menu == MenuPlace::None, true) << "a menu row comes first: " << c.en;
    if (!c.keysPt) {
      EXPECT_EQ(c.code, 0) << c.en;
      EXPECT_TRUE(c.handler || c.id == CommandId::ExactEntry) << c.en;
      continue;
    }
    EXPECT_TRUE(seen.insert(c.keysEn).second || c.id == CommandId::Mouse) << "twice: " << c.keysEn;
    if (c.id == CommandId::Mouse) {
      EXPECT_EQ(c.code, 0);
      EXPECT_EQ(c.handler, nullptr);
      continue;
    }
    Qt::KeyboardModifiers mods;
    if (c.mods == KeyMods::Ctrl || c.mods == KeyMods::CtrlShift) mods |= Qt::ControlModifier;
    if (c.mods == KeyMods::Shift || c.mods == KeyMods::CtrlShift) mods |= Qt::ShiftModifier;
    if (c.mods == KeyMods::Alt) mods |= Qt::AltModifier;
    EXPECT_EQ(FindKeyCommand(c.code, mods), &c) << c.keysEn;
  }
  EXPECT_EQ(ids.size(), static_cast<size_t>(CommandId::Mouse) + 1) << "a command without a row";
  EXPECT_EQ(FindKeyCommand('Q', Qt::NoModifier), nullptr);
  EXPECT_EQ(FindKeyCommand('A', Qt::NoModifier), nullptr);
}

// The README's "Using the editor" names every key and mouse action.
TEST(KeyTable, TheReadmeNamesEveryKeyAndMouseAction) {
  QFile readme(OBJ3D_SOURCE_DIR "/README.md");
  ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(readme.readAll());
  const qsizetype from = text.indexOf("## Using the editor");
  ASSERT_GE(from, 0);
  const qsizetype to = text.indexOf("\n## ", from + 1);
  const QString section = text.mid(from, to < 0 ? -1 : to - from);
  for (const EditorCommand& c : EditorCommands())
    if (c.keysEn) {
      EXPECT_TRUE(section.contains(L1(c.keysEn))) << c.keysEn;
    }
}

// "?" > "Idioma" keeps the other language for the next start; the option of
// one run goes before what was kept; English reaches the new boxes, the key
// list and the tooltips.
TEST_F(EditorFixture, TheChosenLanguageIsKeptAndTheOptionGoesFirst) {
  FreeDictionary();
  auto& w = Open();
  QMenuBar* bar = w.menuBar();
  QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->actionGeometry(bar->actions().last()).center());
  ASSERT_TRUE(Soon([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; }));
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_TRUE(menu->actions().contains(Child<QAction>(w, "Idioma1")));
  QTest::mouseClick(menu, Qt::LeftButton, Qt::NoModifier, menu->actionGeometry(Child<QAction>(w, "Idioma1")).center());
  ASSERT_EQ(boxes.warnings.size(), 1u);
  EXPECT_EQ(RememberedLanguage(), InterfaceLanguage::English);
  EXPECT_FALSE(HasDictionary()) << "the running window keeps its language";

  ApplyInterfaceLanguage(InterfaceLanguage::Portuguese);
  EXPECT_FALSE(HasDictionary());
  ApplyInterfaceLanguage(InterfaceLanguage::Default);
  ASSERT_TRUE(HasDictionary());
  auto& english = Open();
  bool position = false;
  for (QLabel* l : Child<ExactValueBoxes>(english, "ValoresExatos1")->findChildren<QLabel*>())
    position |= l->text() == "Position:";
  EXPECT_TRUE(position);
  EXPECT_TRUE(KeyButtons(english).front()->toolTip().startsWith("ESC: Normal edition"));
  Key(Qt::Key_F1);
  auto* keys = english.findChild<KeysWindow*>("KeysWindow");
  ASSERT_NE(keys, nullptr);
  EXPECT_EQ(keys->windowTitle(), "Keys and mouse");
  EXPECT_TRUE(keys->List()->toPlainText().contains("Select every visible element"));
}
