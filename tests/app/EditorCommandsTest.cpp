// Every action through the one command path, as a user meets it: one undo
// step per action, the selection kept across undo, the property strip and
// the status line telling the document as it is, typed values settled
// before a button acts, and the undo depth setting.
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>

#include "EditorFixture.h"
#include "ExactValueBoxes.h"
#include "LatinText.h"
#include "controls/TAtlEdit.h"
#include "controls/TF_CorSeleciona.h"
#include "controls/TMPanel.h"
#include "controls/TSBM.h"
#include "controls/TZBox.h"
#include "controls/TZSpinEdit.h"

namespace {
struct Commands : EditorFixture {
  std::vector<Element3D> Saved() {
    Key(Qt::Key_S, Qt::ControlModifier);
    return ReadElements(dir.file("doc.zobj3d"));
  }
  void Type(const char* text) {
    QTest::keyClicks(QApplication::focusWidget(), text);
    QApplication::processEvents();
  }
  QString Box(ExactField field) const { return Child<ExactValueBoxes>(*window, "ValoresExatos1")->Box(field)->text(); }
  QString Said() const { return window->statusBar()->currentMessage(); }
  void ClickKeyButton(const char* caption) {
    for (TSBM* b : KeyButtons(*window))
      if (b->Caption() == caption) {
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, b->rect().center());
        QApplication::processEvents();
        return;
      }
    ADD_FAILURE() << "no key button " << caption;
  }
  // The list's marked rows.
  int MarkedRows() const {
    return static_cast<int>(Child<QListView>(*window, "Lista1")->selectionModel()->selectedRows().size());
  }
};
}  // namespace

// N, then X, Y and Z typed with Tab between them, is one step: one Ctrl+Z
// takes all three back, one Ctrl+Y brings all three; the status line names
// the step, and the element stays selected throughout.
TEST_F(Commands, AnExactEntryOfSeveralBoxesIsOneUndoStep) {
  auto& w = OpenWith({Cube("a", -4), Cube("b", 4)});
  ClickView(PixelOf(-4, 1, 0));
  ASSERT_EQ(w.Probe().SelectionCount(), 1);
  Key(Qt::Key_N);
  Type("1");
  Key(Qt::Key_Tab);
  Type("2,5");
  Key(Qt::Key_Tab);
  Type("3");
  Key(Qt::Key_Return);
  EXPECT_EQ(QApplication::focusWidget(), ViewOf(w));
  std::vector<Element3D> saved = Saved();
  EXPECT_EQ(+saved[0].x, 1);
  EXPECT_EQ(+saved[0].y, 2.5);
  EXPECT_EQ(+saved[0].z, 3);

  // The save emptied the history; the same entry again, then undone.
  Key(Qt::Key_N);
  Type("-1");
  Key(Qt::Key_Tab);
  Type("1");
  Key(Qt::Key_Tab);
  Type("-3");
  Key(Qt::Key_Return);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Said(), "Desfeito: valores exatos");
  EXPECT_EQ(w.Probe().SelectionCount(), 1);
  EXPECT_EQ(Box(ExactField::Y), "2.5") << "the boxes show the element as it is again";
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Said(), "Nada a desfazer");
  saved = Saved();
  EXPECT_EQ(+saved[0].x, 1);
  EXPECT_EQ(+saved[0].y, 2.5);
  EXPECT_EQ(+saved[0].z, 3);
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Said(), "Nada a refazer") << "a save empties the history both ways";
}

// A rename is one step: Ctrl+Z gives the old name back, Ctrl+Y the new one,
// and the list follows.
TEST_F(Commands, ARenameIsOneStepThatUndoAndRedoFollow) {
  auto& w = OpenWith({Cube("porta", -4), Cube("janela", 4)});
  AttributesAnswers dialogs;
  dialogs.name = "vidro";
  ClickListRow(1);
  Key(Qt::Key_Return);
  ASSERT_EQ(dialogs.shown, std::vector<std::string>{"janela"});
  Reactivate();
  EXPECT_EQ(Said(), "Renomeado: vidro");
  EXPECT_EQ(Child<QListView>(w, "Lista1")->model()->index(1, 0).data().toString(), "vidro");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Said(), "Desfeito: renomear");
  EXPECT_EQ(Child<QListView>(w, "Lista1")->model()->index(1, 0).data().toString(), "janela");
  EXPECT_EQ(Saved()[1].name.str(), "janela");
  // Once more, and redone after the undo.
  ClickListRow(1);
  Key(Qt::Key_Return);
  Reactivate();
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Said(), "Refeito: renomear");
  const std::vector<Element3D> saved = Saved();
  EXPECT_EQ(saved[1].name.str(), "vidro");
  EXPECT_EQ(saved[0].name.str(), "porta");
}

// Undo and redo leave the selection where it was: the arrows after an undo
// still move the element that was moved, and the list keeps its mark.
TEST_F(Commands, UndoAndRedoKeepTheSelection) {
  auto& w = OpenWith({Cube("a", -4), Cube("b", 4)});
  ClickView(PixelOf(4, 1, 0));
  Key(Qt::Key_X);
  Key(Qt::Key_Right);
  Key(Qt::Key_Right);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Said(), "Desfeito: mover");
  EXPECT_EQ(w.Probe().SelectionCount(), 1);
  EXPECT_EQ(MarkedRows(), 1);
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Said(), "Refeito: mover");
  Key(Qt::Key_Right);
  std::vector<Element3D> saved = Saved();
  EXPECT_EQ(+saved[0].x, -4);
  EXPECT_EQ(+saved[1].x, 5.5) << "three steps of 0.5 on the element still selected";

  // An undone paste takes the copies away and selects what was copied.
  Key(Qt::Key_C, Qt::ControlModifier);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Said(), "1 elemento colado");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.Probe().Count(), 2);
  Key(Qt::Key_Right);
  EXPECT_EQ(+Saved()[1].x, 6);
}

// After Ctrl+V the boxes show the copy; after Delete, and after an undo
// that leaves nothing selected, they show no removed element.
TEST_F(Commands, ThePropertyStripShowsTheDocumentAsItIs) {
  Element3D turned = Cube("a", -4);
  turned.axy = 45;
  auto& w = OpenWith({turned, Cube("b", 4)});
  ClickView(PixelOf(-4, 1, 0));
  Key(Qt::Key_C, Qt::ControlModifier);
  Key(Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Box(ExactField::X), "-4.5");
  EXPECT_EQ(Box(ExactField::Z), "-0.5");
  EXPECT_EQ(Child<TZSpinEdit>(w, "EAxy")->Edit()->text(), "45");
  Key(Qt::Key_Delete);
  EXPECT_EQ(Said(), "1 elemento apagado");
  EXPECT_EQ(w.Probe().Count(), 2);
  EXPECT_EQ(Box(ExactField::X), "") << "nothing selected: no removed element shown";
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Box(ExactField::X), "-4.5") << "the copy came back, selected";
  Key(Qt::Key_Escape);
  Key(Qt::Key_Z, Qt::ControlModifier);  // the paste undone, nothing selected
  EXPECT_EQ(w.Probe().Count(), 2);
  EXPECT_EQ(Box(ExactField::X), "-4") << "what was copied is selected again";

  // Duplicate reports, and the boxes show the copy.
  Key(Qt::Key_D, Qt::ControlModifier);
  EXPECT_EQ(Said(), "1 elemento duplicado");
  EXPECT_EQ(Box(ExactField::X), "-3.5");
}

// A colour chosen with nothing selected goes into the template; undone, the
// swatch and the next new element have the earlier colour again.
TEST_F(Commands, UndoingAColourTakesTheSwatchAndTheNextElementBack) {
  auto& w = OpenWith({Cube("a", -4)});
  const TColor before = Child<TMPanel>(w, "PCor1")->Color();
  WhenModal([](QWidget* modal) {
    auto* dialog = qobject_cast<TF_CorSeleciona*>(modal);
    ASSERT_NE(dialog, nullptr);
    dialog->LCor1()->selectAll();
    QTest::keyClicks(dialog->LCor1(), "0000FF");
    QTest::mouseClick(dialog->BOk(), Qt::LeftButton);
  });
  QTest::mouseClick(Child<TMPanel>(w, "PCor1"), Qt::LeftButton, Qt::NoModifier,
                    Child<TMPanel>(w, "PCor1")->rect().center());
  ASSERT_TRUE(Soon([&] { return (Child<TMPanel>(w, "PCor1")->Color() & 0xFFFFFF) == 0x0000FFu; }))
      << Child<TMPanel>(w, "PCor1")->Color();
  Reactivate();
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Said(), "Desfeito: cor");
  EXPECT_EQ(Child<TMPanel>(w, "PCor1")->Color(), before);
  ClickPalette(1);  // a cube, added where the pointer clicks
  ClickView(PixelOf(4, 0, 4));
  const std::vector<Element3D> saved = Saved();
  ASSERT_EQ(saved.size(), 2u);
  EXPECT_EQ(+saved[1].color, before);
}

// S, Y, Esc: the hint is back to moving along XZ; Esc from the key row does
// what the key does.
TEST_F(Commands, TheModeHintFollowsEveryCommand) {
  auto& w = OpenWith({Cube("a", -4)});
  Key(Qt::Key_S);
  Key(Qt::Key_Y);
  EXPECT_TRUE(Child<QLabel>(w, "ModeHint1")->text().startsWith("Arraste: redimensionar em Y"));
  Key(Qt::Key_Escape);
  EXPECT_TRUE(Child<QLabel>(w, "ModeHint1")->text().startsWith("Arraste: mover em XZ"))
      << Child<QLabel>(w, "ModeHint1")->text().toStdString();
  ClickView(PixelOf(-4, 1, 0));
  ClickKeyButton("R");
  EXPECT_TRUE(Child<QLabel>(w, "ModeHint1")->text().startsWith("Arraste: girar em XZ"));
  ClickKeyButton("ESC");
  EXPECT_EQ(w.Probe().SelectionCount(), 0);
  EXPECT_TRUE(Child<QLabel>(w, "ModeHint1")->text().startsWith("Arraste: mover em XZ"));
}

// "2,5" typed in a box, then a key-row button: the value is applied first,
// then the button acts. A text that is no number is discarded, visibly,
// before a palette kind is picked.
TEST_F(Commands, AButtonFirstSettlesWhatIsTypedInABox) {
  auto& w = OpenWith({Cube("a", -4), Cube("b", 4)});
  ClickView(PixelOf(-4, 1, 0));
  Key(Qt::Key_N);
  Type("2,5");
  ClickKeyButton("S");
  EXPECT_EQ(Child<TMulfig>(w, "MMovimento1")->Valor(), 1) << "the button acted";
  EXPECT_EQ(QApplication::focusWidget(), ViewOf(w));
  EXPECT_EQ(+Saved()[0].x, 2.5);

  Key(Qt::Key_N);
  Type("2,5,1");
  ClickPalette(2);
  EXPECT_EQ(Child<TMulfig>(w, "Mulfig1")->Valor(), 2) << "the palette took the cylinder";
  EXPECT_TRUE(Said().startsWith(L1("Valor descartado"))) << Said().toStdString();
  EXPECT_EQ(Child<ExactValueBoxes>(w, "ValoresExatos1")->Box(ExactField::X)->text(), "2.5");
  EXPECT_FALSE(Child<ExactValueBoxes>(w, "ValoresExatos1")
                   ->IsMarked(Child<ExactValueBoxes>(w, "ValoresExatos1")->Box(ExactField::X)));
  EXPECT_EQ(+Saved()[0].x, 2.5);
}

// Edit > "Níveis de desfazer...": twelve steps can be undone once it is 12,
// and the next window starts with the same depth.
TEST_F(Commands, TheUndoDepthSettingIsHonouredAndKept) {
  auto& w = OpenWith({Cube("a", 0)});
  EXPECT_EQ(w.Probe().UndoDepth(), 10);
  WhenModal([](QWidget* modal) {
    auto* box = qobject_cast<TZBox*>(modal);
    ASSERT_NE(box, nullptr);
    box->Entrada()->selectAll();
    QTest::keyClicks(box->Entrada(), "12");
    QTest::mouseClick(box->BotaoOK(), Qt::LeftButton);
  });
  Pick('E', Child<QAction>(w, "NiveisDesfazer1"));
  Reactivate();
  EXPECT_EQ(Said(), L1("N\xEDveis de desfazer: 12"));
  ClickView(PixelOf(0, 1, 0));
  Key(Qt::Key_X);
  for (int k = 0; k < 14; ++k) Key(Qt::Key_Right);
  int undone = 0;
  for (int k = 0; k < 14; ++k) {
    Key(Qt::Key_Z, Qt::ControlModifier);
    undone += Said() == "Desfeito: mover";
  }
  EXPECT_EQ(undone, 12);
  EXPECT_EQ(+Saved()[0].x, 1) << "the state before the first two moves is gone";
  auto& next = Open();
  EXPECT_EQ(next.Probe().UndoDepth(), 12);
}
