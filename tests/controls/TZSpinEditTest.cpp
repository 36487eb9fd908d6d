#include <QtTest>

#include <QTemporaryDir>

#include <cstdint>
#include <fstream>
#include <sstream>

#include "MouseHelpers.h"
#include "controls/TAtlEdit.h"
#include "controls/TZSpin.h"
#include "controls/TZSpinEdit.h"

class TZSpinEditTest : public QObject {
  Q_OBJECT
  int changes = 0, userChanges = 0;

  TZSpinEdit* Make(QWidget* parent, int min, int max, int passo, bool forca) {
    auto* e = new TZSpinEdit(parent);
    e->setGeometry(0, 0, 41, 20);
    e->setMinValue(min);
    e->setMaxValue(max);
    e->setPasso(passo);
    e->setForcaMaxMin(forca);
    e->OnChange = [this](QObject*) { ++changes; };
    e->OnChangeUser = [this](QObject*) { ++userChanges; };
    return e;
  }
  static QPoint UpHalf(TZSpinEdit*) { return QPoint(5, 3); }
  static QPoint DownHalf(TZSpinEdit* e) { return QPoint(5, e->Spin()->height() - 3); }
  static void SpinClick(TZSpinEdit* e, QPoint p) { Click(e->Spin(), p); }
  static void TypeOver(TZSpinEdit* e, const char* text) {
    e->Edit()->selectAll();
    QTest::keyClicks(e->Edit(), text);
  }

 private slots:
  void init() { changes = userChanges = 0; }

  void layoutOfTheEditorBoxes() {
    QWidget w;
    TZSpinEdit* e = Make(&w, 0, 100, 1, true);
    w.show();
    QCOMPARE(e->Spin()->geometry(), QRect(25, 0, 15, 19));
    QCOMPARE(e->Edit()->geometry(), QRect(0, 1, 24, 16));
    QCOMPARE(e->Text(), std::string("0"));
  }

  void spinStepsFireChangeUserEvenAtTheBoundButChangeOnlyAfterAKeyRelease() {
    QWidget w;
    TZSpinEdit* e = Make(&w, 0, 100, 5, true);
    e->setValue(100);
    SpinClick(e, UpHalf(e));
    QCOMPARE(e->Value(), 100);
    QCOMPARE(userChanges, 1);
    SpinClick(e, DownHalf(e));
    QCOMPARE(e->Value(), 95);
    QCOMPARE(e->Text(), std::string("95"));
    QCOMPARE(userChanges, 2);
    QCOMPARE(changes, 0);  // no key released in the box yet

    QTest::keyClick(e->Edit(), Qt::Key_Shift);
    QVERIFY(e->PermiteEvento());
    SpinClick(e, DownHalf(e));
    QCOMPARE(e->Value(), 90);
    QCOMPARE(changes, 1);
    QCOMPARE(userChanges, 3);
  }

  void typingAndArrowsNeverFireChangeUser() {
    QWidget w;
    TZSpinEdit* e = Make(&w, 0, 100, 5, true);
    TypeOver(e, "42");
    QCOMPARE(e->Value(), 42);
    QTest::keyClick(e->Edit(), Qt::Key_Up);
    QCOMPARE(e->Value(), 43);  // arrows step by 1 whatever Passo
    QTest::keyClick(e->Edit(), Qt::Key_Down);
    QTest::keyClick(e->Edit(), Qt::Key_Down);
    QCOMPARE(e->Value(), 41);
    QCOMPARE(e->Text(), std::string("41"));
    QCOMPARE(userChanges, 0);
    QVERIFY(changes > 0);  // every key release opened the gate
  }

  void keyFilterDropsLettersAndForcedLimitsRewriteTheText() {
    QWidget w;
    TZSpinEdit* e = Make(&w, 0, 100, 1, true);
    TypeOver(e, "1a5x0");
    QCOMPARE(e->Text(), std::string("100"));  // "150" came in, the bound replaced it
    QCOMPARE(e->Value(), 100);
  }

  void unforcedOutOfRangeTextTurnsDarkRedAndIsNotApplied() {
    QWidget w;
    TZSpinEdit* e = Make(&w, -180, 180, 45, false);
    e->setValue(45);
    e->setText("200");  // treated as typing
    QCOMPARE(e->Value(), 45);
    QCOMPARE(e->Edit()->palette().color(QPalette::Text), QColor(128, 0, 0));
    TypeOver(e, "200");  // "2" and "20" are in range and applied, "200" is not
    QCOMPARE(e->Value(), 20);
    QCOMPARE(e->Text(), std::string("200"));
    TypeOver(e, "-");
    QCOMPARE(e->Edit()->palette().color(QPalette::Text), QColor(128, 0, 0));
    TypeOver(e, "-90");
    QCOMPARE(e->Value(), -90);
    QVERIFY(e->Edit()->palette().color(QPalette::Text) != QColor(128, 0, 0));
  }

  void vetoInChangeAntesRestoresTextAndSpin() {
    QWidget w;
    TZSpinEdit* e = Make(&w, 0, 100, 10, true);
    e->setValue(30);
    e->setPermiteEvento(true);
    e->OnChangeAntes = [](QObject*, bool& para) { para = true; };
    SpinClick(e, UpHalf(e));
    QCOMPARE(e->Value(), 30);
    QCOMPARE(e->Text(), std::string("30"));
    QCOMPARE(e->Spin()->Valor(), 30.0);
    QCOMPARE(changes, 0);
  }

  void heldHalfRepeatsOncePerPeriodAfterTwoPeriods() {
    QWidget w;
    TZSpinEdit* e = Make(&w, 0, 1000, 1, true);
    int64_t now = 5000;
    e->Spin()->setRelogio([&now] { return now; });
    e->setTempo(100);
    Press(e->Spin(), UpHalf(e));
    QCOMPARE(e->Value(), 1);  // one step at the press
    QVERIFY(e->Spin()->TimerRepeticao().isActive());
    QCOMPARE(e->Spin()->TimerRepeticao().interval(), 100);
    for (int tick = 1; tick <= 5; ++tick) {
      now = 5000 + 100 * tick;
      e->Spin()->TimerTick();
    }
    QCOMPARE(e->Value(), 4);  // ticks at 300, 400 and 500 ms stepped
    Move(e->Spin(), DownHalf(e));
    now += 100;
    e->Spin()->TimerTick();
    QCOMPARE(e->Value(), 3);  // moving to the other half reverses
    Move(e->Spin(), QPoint(100, 100));
    now += 100;
    e->Spin()->TimerTick();
    QCOMPARE(e->Value(), 3);  // off the button: no step, press goes on
    QVERIFY(e->Spin()->Pressionando());
    Release(e->Spin(), QPoint(100, 100));
    QVERIFY(!e->Spin()->TimerRepeticao().isActive());
    QCOMPARE(userChanges, 5);  // every step, the reversed one included
  }

  void realTimerRepeats() {
    QWidget w;
    TZSpinEdit* e = Make(&w, 0, 1000, 1, true);
    e->setTempo(20);
    Press(e->Spin(), UpHalf(e));
    QTRY_VERIFY_WITH_TIMEOUT(e->Value() >= 3, 5000);
    Release(e->Spin(), UpHalf(e));
  }

  void pressedHalfIsOutlinedInWindowText() {
    QWidget w;
    TZSpinEdit* e = Make(&w, 0, 100, 1, true);
    e->Spin()->setRelogio([] { return int64_t(0); });
    const QColor shadow = e->Spin()->grab().toImage().pixelColor(0, 2);
    Press(e->Spin(), UpHalf(e));
    const QImage pressed = e->Spin()->grab().toImage();
    QVERIFY(pressed.pixelColor(0, 2) != shadow);
    Release(e->Spin(), UpHalf(e));
    QCOMPARE(e->Spin()->grab().toImage().pixelColor(0, 2), shadow);
  }

  void textKeptInAnIniFileWithInvertedBytesForStarKeys() {
    QTemporaryDir dir;
    const std::string ini = dir.filePath("campos.ini").toStdString();
    {
      QWidget w;
      TZSpinEdit* e = Make(&w, 0, 100, 1, true);
      e->setIniFile(ini);
      e->setIniVariavel("*chanfro");
      e->setIniAutoSave(true);
      e->Loaded();
      e->setValue(42);
    }  // saved when the box goes
    std::ifstream in(ini, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    QVERIFY(bytes.str().find("[CAMPOS]") != std::string::npos);
    QVERIFY(bytes.str().find("42") == std::string::npos);  // not in clear
    QWidget w;
    TZSpinEdit* e = Make(&w, 0, 100, 1, true);
    e->setIniFile(ini);
    e->setIniVariavel("*chanfro");
    e->setIniAutoload(true);
    e->Loaded();
    QCOMPARE(e->Text(), std::string("42"));
    QCOMPARE(e->Value(), 42);
    QVERIFY(e->Edit()->CaminhoIni() == ini);
    e->setIniFile("campos.txt");  // not an INI name: nothing is read
    e->Loaded();
    QVERIFY(e->Edit()->CaminhoIni().empty());
  }
};

QTEST_MAIN(TZSpinEditTest)
#include "TZSpinEditTest.moc"
