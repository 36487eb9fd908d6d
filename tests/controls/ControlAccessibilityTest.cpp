// What assistive tools see of the hand-drawn controls, through Qt's own
// accessibility API: roles, names, states, actions and values, read again
// after each change (Qt hands change events on only while an assistive tool
// is running, which a test process cannot start).
#include <QAccessible>
#include <QLabel>
#include <QtTest>
#include <memory>
#include <string>
#include <vector>

#include "controls/ControlAccessibility.h"
#include "controls/TMButton.h"
#include "controls/TMPanel.h"
#include "controls/TMulfig.h"
#include "controls/TSBM.h"
#include "controls/TVSplit.h"
#include "controls/TZSpinEdit.h"

namespace {
QAccessibleInterface* Face(QObject* o) { return QAccessible::queryAccessibleInterface(o); }
QAccessibleActionInterface* Actions(QAccessibleInterface* i) { return i ? i->actionInterface() : nullptr; }
}  // namespace

class ControlAccessibilityTest : public QObject {
  Q_OBJECT
  std::unique_ptr<QWidget> window;
  std::vector<std::string> log;

  void ShowAndFocus(QWidget* w) {
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    w->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
  }

 private slots:
  void init() {
    log.clear();
    window = std::make_unique<QWidget>();
    window->resize(400, 200);
  }
  void cleanup() { window.reset(); }

  // A choice that stays: a group of radio buttons named in the interface
  // language; pressing one chooses it, as a click does, and only it is checked.
  void aSelectorRowIsAGroupOfRadioButtons() {
    auto* m = new TMulfig(window.get());
    m->setTipo(0);
    m->setLista({"Cursor", "Cubo", "-", "Esfera"});
    m->setNomesAcessiveis({"", "Cube", "", "Sphere"});
    m->setAccessibleName("Add");
    m->setGeometry(0, 0, 200, 30);
    m->OnDepoisSeleciona = [this, m](QObject*) { log.push_back("after " + std::to_string(m->Valor())); };
    QAccessibleInterface* row = Face(m);
    QVERIFY(row);
    QCOMPARE(row->role(), QAccessible::Grouping);
    QCOMPARE(row->text(QAccessible::Name), QString("Add"));
    QCOMPARE(row->childCount(), 4);
    QCOMPARE(row->child(0)->text(QAccessible::Name), QString("Cursor"));  // no name given: its line
    QCOMPARE(row->child(1)->text(QAccessible::Name), QString("Cube"));
    QCOMPARE(row->child(1)->role(), QAccessible::RadioButton);
    QCOMPARE(row->child(2)->role(), QAccessible::Separator);
    QVERIFY(Actions(row->child(2))->actionNames().isEmpty());
    QCOMPARE(row->indexOfChild(row->child(3)), 3);
    QCOMPARE(row->child(3)->parent(), row);

    QVERIFY(Actions(row->child(3))->actionNames().contains(QAccessibleActionInterface::pressAction()));
    Actions(row->child(3))->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m->Valor(), 3);
    QCOMPARE(log, std::vector<std::string>{"after 3"});
    QVERIFY(row->child(3)->state().checked);
    QVERIFY(!row->child(1)->state().checked);
    // The item's place on the screen is where a click would land.
    const QRect r = row->child(3)->rect();
    QCOMPARE(row->childAt(r.center().x(), r.center().y()), row->child(3));
  }

  // A momentary row: push buttons that fire once, with Valor set during the
  // event and back at -1 afterwards.
  void aMomentaryRowIsARowOfPushButtons() {
    auto* m = new TMulfig(window.get());
    m->setLista({"xyz", "XZ", "XY"});
    m->setGeometry(0, 0, 200, 30);
    m->OnDepoisSeleciona = [this, m](QObject*) { log.push_back("after " + std::to_string(m->Valor())); };
    QAccessibleInterface* row = Face(m);
    QCOMPARE(row->role(), QAccessible::ToolBar);
    QCOMPARE(row->child(1)->role(), QAccessible::Button);
    Actions(row->child(1))->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(log, std::vector<std::string>{"after 1"});
    QCOMPARE(m->Valor(), -1);
    QVERIFY(!row->child(1)->state().checkable);
  }

  // The keyboard on a selector: arrows move a marked item (separators are
  // passed over), Space clicks it; tools hear which item has the focus.
  void aSelectorIsWalkedWithTheArrowsAndPressedWithSpace() {
    auto* m = new TMulfig(window.get());
    m->setTipo(0);
    m->setLista({"a", "-", "b", "c"});
    m->setSemEvento(true);
    m->setValor(0);
    m->setSemEvento(false);
    m->setGeometry(0, 0, 200, 30);
    ShowAndFocus(m);
    QVERIFY(m->hasFocus());
    QCOMPARE(m->ItemFocado(), 0);  // the chosen item first
    const QImage unmarked = m->grab().toImage();
    QTest::keyClick(m, Qt::Key_Right);
    QCOMPARE(m->ItemFocado(), 2);
    QCOMPARE(m->Valor(), 0);                   // moving is not choosing
    QVERIFY(m->grab().toImage() != unmarked);  // the mark moved
    QAccessibleInterface* row = Face(m);
    QCOMPARE(row->focusChild(), row->child(2));
    QVERIFY(row->child(2)->state().focused);
    QTest::keyClick(m, Qt::Key_Right);
    QTest::keyClick(m, Qt::Key_Right);  // stays on the last
    QCOMPARE(m->ItemFocado(), 3);
    QTest::keyClick(m, Qt::Key_Space);
    QCOMPARE(m->Valor(), 3);
    QTest::keyClick(m, Qt::Key_Left);
    QTest::keyClick(m, Qt::Key_Return);
    QCOMPARE(m->Valor(), 2);
  }

  // The picture button: a push button whose press (by a tool or by Space)
  // raises the events of a click, in the order a click raises them.
  void aBitmapButtonIsPressedLikeAClick() {
    auto* b = new TSBM(window.get());
    b->setGeometry(10, 10, 36, 39);
    b->setCaption("&G");
    b->OnMouseDown = [this](QObject*, Qt::MouseButton button, Qt::KeyboardModifiers, int, int) {
      log.push_back(button == Qt::LeftButton ? "down left" : "down other");
    };
    b->OnClick = [this](QObject*) { log.push_back("click"); };
    b->OnMouseUp = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { log.push_back("up"); };
    QAccessibleInterface* face = Face(b);
    QCOMPARE(face->role(), QAccessible::Button);
    QCOMPARE(face->text(QAccessible::Name), QString("G"));
    b->setAccessibleName("Mover");
    QCOMPARE(face->text(QAccessible::Name), QString("Mover"));
    QCOMPARE(face->text(QAccessible::Accelerator), QString("G"));
    Actions(face)->doAction(QAccessibleActionInterface::pressAction());
    const std::vector<std::string> click{"down left", "click", "up"};
    QCOMPARE(log, click);
    QVERIFY(!b->MostradoAbaixo());

    log.clear();
    ShowAndFocus(b);
    QVERIFY(b->hasFocus());
    QVERIFY(face->state().focused);
    QTest::keyClick(b, Qt::Key_Space);
    QTest::keyClick(b, Qt::Key_Enter);
    QCOMPARE(log, std::vector<std::string>({"down left", "click", "up", "down left", "click", "up"}));

    log.clear();
    b->setEnabled(false);
    QVERIFY(face->state().disabled);
    Actions(face)->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(log.empty());
  }

  // The focused button shows a mark in the desktop's highlight colour.
  void theFocusedButtonShowsAMark() {
    auto* b = new TSBM(window.get());
    b->setGeometry(10, 10, 36, 39);
    b->setCaption("S");
    b->setColor(clWhite);
    auto highlighted = [b] {
      const QImage picture = b->grab().toImage();
      const QRgb mark = b->palette().color(QPalette::Highlight).rgb();
      int n = 0;
      for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) n += (picture.pixel(x, y) & 0xFFFFFF) == (mark & 0xFFFFFF);
      return n;
    };
    ShowAndFocus(window.get());
    QCOMPARE(highlighted(), 0);
    b->setFocus(Qt::TabFocusReason);
    QVERIFY(b->hasFocus());
    QVERIFY(highlighted() > 2 * 30);  // a frame around the cap
    // A click does not take the keys away from where they were.
    QCOMPARE(b->focusPolicy(), Qt::TabFocus);
  }

  // A button for one choice of several is a radio button that says whether
  // its choice is the current one; a lone toggle is a check box.
  void choicesAndTogglesSayTheirState() {
    int mode = 0;
    auto* grab = new TSBM(window.get());
    grab->setCaption("G");
    grab->Escolhido = [&mode] { return mode == 0; };
    QAccessibleInterface* face = Face(grab);
    QCOMPARE(face->role(), QAccessible::RadioButton);
    QVERIFY(face->state().checkable);
    QVERIFY(face->state().checked);
    mode = 1;
    QVERIFY(!face->state().checked);

    auto* toggle = new TSBM(window.get());
    toggle->setGeometry(0, 0, 40, 20);
    toggle->setCaption("Perspectiva");
    toggle->setGroupIndex(1);
    toggle->setAllowAllUp(true);
    QAccessibleInterface* box = Face(toggle);
    QCOMPARE(box->role(), QAccessible::CheckBox);
    QVERIFY(!box->state().checked);
    Actions(box)->doAction(QAccessibleActionInterface::toggleAction());
    QVERIFY(toggle->Down());
    QVERIFY(box->state().checked);
    Actions(box)->doAction(QAccessibleActionInterface::pressAction());
    QVERIFY(!toggle->Down());
  }

  // The integer entry: a spin box named by its label, with value, range and
  // step; a tool's step or value is the user's change (OnChangeUser), and a
  // value changed from code is what tools read.
  void aSpinEditIsASpinBoxNamedByItsLabel() {
    auto* label = new QLabel("C&hanfro:", window.get());
    auto* spin = new TZSpinEdit(window.get());
    spin->setMinValue(0);
    spin->setMaxValue(100);
    spin->setPasso(5);
    spin->setValue(40);
    label->setBuddy(spin);
    spin->OnChangeUser = [this, spin](QObject*) { log.push_back("user " + std::to_string(spin->Value())); };
    QAccessibleInterface* face = Face(spin);
    QCOMPARE(face->role(), QAccessible::SpinBox);
    QCOMPARE(face->text(QAccessible::Name), QString("Chanfro"));
    QCOMPARE(AccessibleNameOf(spin), QString("Chanfro"));
    QAccessibleValueInterface* value = face->valueInterface();
    QVERIFY(value);
    QCOMPARE(value->currentValue().toInt(), 40);
    QCOMPARE(value->minimumValue().toInt(), 0);
    QCOMPARE(value->maximumValue().toInt(), 100);
    QCOMPARE(value->minimumStepSize().toInt(), 5);
    QCOMPARE(face->text(QAccessible::Value), QString("40"));

    Actions(face)->doAction(QAccessibleActionInterface::increaseAction());
    QCOMPARE(spin->Value(), 45);
    Actions(face)->doAction(QAccessibleActionInterface::decreaseAction());
    Actions(face)->doAction(QAccessibleActionInterface::decreaseAction());
    QCOMPARE(spin->Value(), 35);
    QCOMPARE(spin->Text(), "35");
    value->setCurrentValue(100);
    QCOMPARE(spin->Value(), 100);
    Actions(face)->doAction(QAccessibleActionInterface::increaseAction());  // at the top: no change, still an event
    QCOMPARE(spin->Value(), 100);
    const std::vector<std::string> steps{"user 45", "user 40", "user 35", "user 100", "user 100"};
    QCOMPARE(log, steps);

    spin->setValue(7);  // from code
    QCOMPARE(value->currentValue().toInt(), 7);
    QCOMPARE(face->text(QAccessible::Value), QString("7"));
  }

  // A panel that takes clicks and the keyboard is a button (the colour
  // swatch); others are panes. The push button and the splitter say what
  // they are.
  void panelsButtonsAndSplittersSayWhatTheyAre() {
    auto* pane = new TMPanel(window.get());
    QCOMPARE(Face(pane)->role(), QAccessible::Pane);
    auto* swatch = new TMPanel(window.get());
    swatch->setGeometry(0, 0, 16, 16);
    swatch->OnClick = [this](QObject*) { log.push_back("swatch"); };
    swatch->setFocusPolicy(Qt::TabFocus);
    auto* label = new QLabel("Cor:", window.get());
    label->setBuddy(swatch);
    QAccessibleInterface* face = Face(swatch);
    QCOMPARE(face->role(), QAccessible::Button);
    QCOMPARE(face->text(QAccessible::Name), QString("Cor"));
    Actions(face)->doAction(QAccessibleActionInterface::pressAction());
    ShowAndFocus(swatch);
    QTest::keyClick(swatch, Qt::Key_Space);
    QCOMPARE(log, std::vector<std::string>({"swatch", "swatch"}));

    log.clear();
    auto* button = new TMButton(window.get());
    button->setCaption("&OK");
    button->OnClick = [this](QObject*) { log.push_back("click"); };
    button->OnClickDepois = [this](QObject*) { log.push_back("after"); };
    QCOMPARE(Face(button)->role(), QAccessible::Button);
    QCOMPARE(Face(button)->text(QAccessible::Name), QString("OK"));
    Actions(Face(button))->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(log, std::vector<std::string>({"click", "after"}));

    QCOMPARE(Face(new TVSplit(window.get()))->role(), QAccessible::Splitter);
  }
};

QTEST_MAIN(ControlAccessibilityTest)
#include "ControlAccessibilityTest.moc"
