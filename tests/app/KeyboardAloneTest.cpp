// The window with the keyboard alone and through assistive tools: Tab
// walks every control in reading order and back, strip buttons are pressed
// with Space, Esc gives the keys back to the view, every control has a name
// and the view says what is selected.
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>

#include "EditorFixture.h"
#include "controls/TAtlEdit.h"
#include "controls/TMPanel.h"
#include "controls/TSBM.h"
#include "controls/TZSpinEdit.h"

namespace {
struct KeyboardAlone : EditorFixture {
  QWidget* Focus() const { return QApplication::focusWidget(); }
  // Tab (or Shift+Tab) until the view has the keys again; the controls met.
  std::vector<QWidget*> WalkRound(bool back) {
    std::vector<QWidget*> met;
    for (int i = 0; i < 80; ++i) {
      // In the view Shift+Tab is snapping's key: Ctrl+Shift+Tab leaves it.
      const Qt::KeyboardModifiers fromView = Focus() == ViewOf(*window) ? Qt::ControlModifier : Qt::NoModifier;
      Key(back ? Qt::Key_Backtab : Qt::Key_Tab, (back ? Qt::ShiftModifier : Qt::NoModifier) | fromView);
      if (Focus() == ViewOf(*window)) return met;
      met.push_back(Focus());
    }
    ADD_FAILURE() << "Tab never came back to the view";
    return met;
  }
  QString Name(QObject* o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); }
  QString Description() {
    return QAccessible::queryAccessibleInterface(ViewOf(*window))->text(QAccessible::Description);
  }
  TSBM* KeyButton(const char* caption) {
    for (TSBM* b : KeyButtons(*window))
      if (b->Caption() == caption) return b;
    return nullptr;
  }
};
}  // namespace

// From the view, Tab reaches the list, then the whole strip in reading
// order (the exact-value boxes as their own Tab walks them), then the view
// again; Shift+Tab walks the same ring backwards.
TEST_F(KeyboardAlone, TabWalksEveryControlInReadingOrderAndBack) {
  auto& w = OpenWith({Cube("a", -4), Cube("b", 4)});
  std::vector<QWidget*> expected{Child<QListView>(w, "Lista1"), Child<TMulfig>(w, "Mulfig1"),
                                 Child<TMPanel>(w, "PCor1"), Child<QComboBox>(w, "CTextura"),
                                 Child<QCheckBox>(w, "CInvisivel")};
  for (ExactField f : {ExactField::X, ExactField::Y, ExactField::Z, ExactField::DX, ExactField::DY, ExactField::DZ})
    expected.push_back(Child<ExactValueBoxes>(w, "ValoresExatos1")->Box(f));
  for (TZSpinEdit* s : {Child<TZSpinEdit>(w, "EAxy"), Child<TZSpinEdit>(w, "EAyz"), Child<TZSpinEdit>(w, "EAxz"),
                        Child<TZSpinEdit>(w, "EChanfro1"), Child<TZSpinEdit>(w, "ESuperior1")})
    expected.push_back(s->Edit());
  const QList<TSBM*> keys = KeyButtons(w);
  expected.insert(expected.end(), keys.begin(), keys.end());
  const std::vector<QWidget*> forth = WalkRound(false);
  EXPECT_EQ(forth, expected);
  const std::vector<QWidget*> back = WalkRound(true);
  EXPECT_EQ(back, std::vector<QWidget*>(expected.rbegin(), expected.rend()));
  // Walking left nothing applied: no box took a value.
  EXPECT_EQ(w.Probe().UndoCount(), 0);
  // Every control on the way has a name in the interface language.
  for (QWidget* control : forth) EXPECT_FALSE(Name(control).isEmpty()) << control->metaObject()->className();
  EXPECT_EQ(Name(ViewOf(w)), "Vista 3D");
  EXPECT_EQ(Name(Child<QListView>(w, "Lista1")), "Elementos");
  EXPECT_EQ(Name(Child<TZSpinEdit>(w, "EChanfro1")->Edit()), "Chanfro");
  EXPECT_EQ(Name(Child<TZSpinEdit>(w, "EChanfro1")), "Chanfro");
  EXPECT_EQ(Name(Child<ExactValueBoxes>(w, "ValoresExatos1")->Box(ExactField::DY)), QString::fromLatin1("Tamanho Y"));
  EXPECT_EQ(Name(KeyButton("S")), "Alterar tamanho");
}

// A strip button reached by Tab is pressed with Space: it does what its
// key does, the keys go back to the view and keep working there; the mode
// buttons say which mode is on. Esc in the strip only gives the keys back.
TEST_F(KeyboardAlone, StripButtonsArePressedWithSpaceAndEscReturnsToTheView) {
  auto& w = OpenWith({Cube("a", -4), Cube("b", 4)});
  ClickView(PixelOf(-4, 1, 0));
  ASSERT_EQ(w.Probe().SelectionCount(), 1);
  TSBM* scale = KeyButton("S");
  TSBM* grab = KeyButton("G");
  QAccessibleInterface* scaleFace = QAccessible::queryAccessibleInterface(scale);
  EXPECT_EQ(scaleFace->role(), QAccessible::RadioButton);
  EXPECT_FALSE(scaleFace->state().checked);
  EXPECT_TRUE(QAccessible::queryAccessibleInterface(grab)->state().checked);
  while (Focus() != scale && Focus() != nullptr) {
    Key(Qt::Key_Backtab, Qt::ShiftModifier | (Focus() == ViewOf(w) ? Qt::ControlModifier : Qt::NoModifier));
    if (Focus() == ViewOf(w)) break;
  }
  ASSERT_EQ(Focus(), scale);
  Key(Qt::Key_Space);
  EXPECT_EQ(Child<TMulfig>(w, "MMovimento1")->Valor(), 1);
  EXPECT_TRUE(scaleFace->state().checked);
  EXPECT_FALSE(QAccessible::queryAccessibleInterface(grab)->state().checked);
  EXPECT_EQ(Focus(), ViewOf(w));
  // The view's keys work at once: G back to moving.
  Key(Qt::Key_G);
  EXPECT_EQ(Child<TMulfig>(w, "MMovimento1")->Valor(), 0);

  // Esc on the palette: back to the view, the selection kept (it is not
  // the menu's "normal edition").
  Key(Qt::Key_Tab);
  Key(Qt::Key_Tab);
  ASSERT_EQ(Focus(), Child<TMulfig>(w, "Mulfig1"));
  Key(Qt::Key_Escape);
  EXPECT_EQ(Focus(), ViewOf(w));
  EXPECT_EQ(w.Probe().SelectionCount(), 1);
  // The palette itself: the arrow to "Cubo", Space chooses it; a click in
  // the view then adds a cube.
  Key(Qt::Key_Tab);
  Key(Qt::Key_Tab);
  Key(Qt::Key_Right);
  Key(Qt::Key_Space);
  EXPECT_EQ(Child<TMulfig>(w, "Mulfig1")->Valor(), 1);
  const int32_t before = w.Probe().Count();
  ClickView(PixelOf(0, 0, 6));
  EXPECT_EQ(w.Probe().Count(), before + 1);
}

// Tab out of the last angle box and Shift+Tab out of X leave the exact
// values; a value typed before applies on the way out.
TEST_F(KeyboardAlone, TabLeavesTheExactValuesAtEitherEnd) {
  auto& w = OpenWith({Cube("a", -4)});
  ClickView(PixelOf(-4, 1, 0));
  Key(Qt::Key_N);
  ASSERT_EQ(Focus(), Child<ExactValueBoxes>(w, "ValoresExatos1")->Box(ExactField::X));
  QTest::keyClicks(Focus(), "3");
  Key(Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_EQ(Focus(), Child<QCheckBox>(w, "CInvisivel"));
  EXPECT_EQ(+w.Probe().Element(0).x, 3);
  Child<TZSpinEdit>(w, "EAxz")->Edit()->setFocus(Qt::TabFocusReason);
  Key(Qt::Key_Tab);
  EXPECT_EQ(Focus(), Child<TZSpinEdit>(w, "EChanfro1")->Edit());
  Key(Qt::Key_Escape);
  EXPECT_EQ(Focus(), ViewOf(w));
}

// The view's description says what is selected and follows it.
TEST_F(KeyboardAlone, TheViewSaysWhatIsSelected) {
  auto& w = OpenWith({Cube("porta", -4), Cube("mesa", 4)});
  EXPECT_EQ(QAccessible::queryAccessibleInterface(ViewOf(w))->role(), QAccessible::Canvas);
  EXPECT_EQ(Description(), "Nenhum elemento selecionado");
  ClickView(PixelOf(-4, 1, 0));
  EXPECT_EQ(Description(),
            QString::fromLatin1("1 elemento selecionado: porta; posi\xE7\xE3o -4, 1, 0; tamanho 2 x 2 x 2"));
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(
      Description(),
      QString::fromLatin1("2 elementos selecionados, o primeiro: porta; posi\xE7\xE3o 0, 1, 0; tamanho 10 x 2 x 2"));
  Key(Qt::Key_Escape);
  EXPECT_EQ(Description(), "Nenhum elemento selecionado");
  // English names it in English.
  window.reset();
  UseLanguage(true);
  auto& english = OpenWith({Cube("porta", -4)});
  Key(Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(ViewOf(english))->text(QAccessible::Name), "3D view");
  EXPECT_EQ(Description(), "1 element selected: porta; position -4, 1, 0; size 2 x 2 x 2");
}
