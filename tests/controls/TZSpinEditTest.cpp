#include <QTemporaryDir>
#include <QtTest>
#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>

#include "MouseHelpers.h"
#include "controls/TAtlEdit.h"
#include "controls/TZSpin.h"
#include "controls/TZSpinEdit.h"

class TZSpinEditTest : public QObject {
  Q_OBJECT
  int changes = 0, userChanges = 0;
  std::unique_ptr<QWidget> window;

  TZSpinEdit* Make(int min, int max, int passo, bool forca) {
    auto* e = new TZSpinEdit(window.get());
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
  static void TypeOver(TZSpinEdit* e, const char* text) {
    e->Edit()->selectAll();
    QTest::keyClicks(e->Edit(), text);
  }
  static QColor TextColour(TZSpinEdit* e) { return e->Edit()->palette().color(QPalette::Text); }

 private slots:
  void init() {
    changes = userChanges = 0;
    window = std::make_unique<QWidget>();
  }

  // OnChange waits for a key release in the box; a veto in OnChangeAntes undoes the step.
  void spinStepsFireChangeUserEvenAtTheBoundButChangeOnlyAfterAKeyRelease() {
    TZSpinEdit* e = Make(0, 100, 5, true);
    e->setValue(100);
    Click(e->Spin(), UpHalf(e));
    QCOMPARE(e->Value(), 100);
    QCOMPARE(userChanges, 1);
    Click(e->Spin(), DownHalf(e));
    QCOMPARE(e->Text(), std::string("95"));
    QCOMPARE(userChanges, 2);
    QCOMPARE(changes, 0);

    QTest::keyClick(e->Edit(), Qt::Key_Shift);
    Click(e->Spin(), DownHalf(e));
    QCOMPARE(e->Value(), 90);
    QCOMPARE(changes, 1);
    QCOMPARE(userChanges, 3);

    e->OnChangeAntes = [](QObject*, bool& para) { para = true; };
    Click(e->Spin(), UpHalf(e));
    QCOMPARE(e->Value(), 90);
    QCOMPARE(e->Text(), std::string("90"));
    QCOMPARE(e->Spin()->Valor(), 90.0);
    QCOMPARE(changes, 1);
  }

  void typingFiltersLettersForcesLimitsAndNeverFiresChangeUser() {
    TZSpinEdit* e = Make(0, 100, 5, true);
    TypeOver(e, "42");
    QCOMPARE(e->Value(), 42);
    QTest::keyClick(e->Edit(), Qt::Key_Up);
    QCOMPARE(e->Value(), 43);  // arrows step by 1 whatever Passo
    QTest::keyClick(e->Edit(), Qt::Key_Down);
    QTest::keyClick(e->Edit(), Qt::Key_Down);
    QCOMPARE(e->Text(), std::string("41"));
    TypeOver(e, "1a5x0");
    QCOMPARE(e->Text(), std::string("100"));  // "150" came in, the bound replaced it
    QCOMPARE(e->Value(), 100);
    QCOMPARE(userChanges, 0);
    QVERIFY(changes > 0);  // every key release opened the gate
  }

  void unforcedOutOfRangeTextTurnsDarkRedAndIsNotApplied() {
    const QColor darkRed(128, 0, 0);
    TZSpinEdit* e = Make(-180, 180, 45, false);
    e->setValue(45);
    e->setText("200");  // treated as typing
    QCOMPARE(e->Value(), 45);
    QCOMPARE(TextColour(e), darkRed);
    TypeOver(e, "200");  // "2" and "20" are in range and applied, "200" is not
    QCOMPARE(e->Value(), 20);
    QCOMPARE(e->Text(), std::string("200"));
    TypeOver(e, "-");
    QCOMPARE(TextColour(e), darkRed);
    TypeOver(e, "-90");
    QCOMPARE(e->Value(), -90);
    QVERIFY(TextColour(e) != darkRed);
  }

  // The pressed half is outlined; held, it repeats once per period after two periods.
  void heldHalfRepeats() {
    TZSpinEdit* e = Make(0, 1000, 1, true);
    int64_t now = 5000;
    e->Spin()->setRelogio([&now] { return now; });
    e->setTempo(100);
    auto outline = [e] { return e->Spin()->grab().toImage().pixelColor(0, 2); };
    const QColor shadow = outline();
    Press(e->Spin(), UpHalf(e));
    QVERIFY(outline() != shadow);
    QCOMPARE(e->Value(), 1);  // one step at the press
    QCOMPARE(e->Spin()->TimerRepeticao().interval(), 100);
    auto tick = [&] {
      now += 100;
      e->Spin()->TimerTick();
    };
    for (int i = 0; i < 5; ++i) tick();
    QCOMPARE(e->Value(), 4);  // ticks at 300, 400 and 500 ms stepped
    Move(e->Spin(), DownHalf(e));
    tick();
    QCOMPARE(e->Value(), 3);  // moving to the other half reverses
    Move(e->Spin(), QPoint(100, 100));
    tick();
    QCOMPARE(e->Value(), 3);  // off the button: no step, press goes on
    QVERIFY(e->Spin()->Pressionando());
    Release(e->Spin(), QPoint(100, 100));
    QCOMPARE(outline(), shadow);
    QVERIFY(!e->Spin()->TimerRepeticao().isActive());
    QCOMPARE(userChanges, 5);  // every step, the reversed one included

    // With the real clock and timer.
    TZSpinEdit* real = Make(0, 1000, 1, true);
    real->setTempo(20);
    Press(real->Spin(), UpHalf(real));
    QTRY_VERIFY_WITH_TIMEOUT(real->Value() >= 3, 5000);
    Release(real->Spin(), UpHalf(real));
  }

  void textKeptInAnIniFileWithInvertedBytesForStarKeys() {
    QTemporaryDir dir;
    const std::string ini = dir.filePath("campos.ini").toStdString();
    auto withIni = [&](bool save) {
      TZSpinEdit* e = Make(0, 100, 1, true);
      e->setIniFile(ini);
      e->setIniVariavel("*chanfro");
      e->setIniAutoSave(save);
      e->setIniAutoload(!save);
      e->Loaded();
      return e;
    };
    withIni(true)->setValue(42);
    window.reset();  // saved when the box goes
    std::stringstream bytes;
    bytes << std::ifstream(ini, std::ios::binary).rdbuf();
    QVERIFY(bytes.str().find("[CAMPOS]") != std::string::npos);
    QVERIFY(bytes.str().find("42") == std::string::npos);  // not in clear
    window = std::make_unique<QWidget>();
    TZSpinEdit* e = withIni(false);
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
