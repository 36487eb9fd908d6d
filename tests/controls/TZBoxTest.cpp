#include <QCalendarWidget>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <vector>

#include "controls/MessageBoxes.h"
#include "controls/TFCalen.h"
#include "controls/TZBox.h"

namespace {
struct Recorder : MessageBoxes {
  std::vector<std::string> warnings;
  void Warning(const std::string& text) override { warnings.push_back(text); }
  bool Confirmation(const std::string&) override { return false; }
};

template <typename Dialog>
void WhenOpen(std::function<void(Dialog*)> act) {
  QTimer::singleShot(0, [act] {
    auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    act(dialog);
  });
}

void ClickOn(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
}  // namespace

class TZBoxTest : public QObject {
  Q_OBJECT
  Recorder boxes;

 private slots:
  void init() {
    boxes.warnings.clear();
    SetMessageBoxes(&boxes);
  }
  void cleanup() { SetMessageBoxes(nullptr); }

  // The keypad and Enter give the typed text; Escape gives back the current value.
  void inputNumberReturnsTheTextOrTheCurrentValue() {
    WhenOpen<TZBox>([](TZBox* box) {
      QCOMPARE(box->windowTitle(), QString("Grade"));
      for (const char* key : {"Del", "1", ".", "5"}) ClickOn(box->Tecla(key));
      QTest::keyClick(box->Entrada(), Qt::Key_Return);
    });
    QCOMPARE(TZBox::InputNumber("Grade", "Grade (Atual 0.5)", 0.1, 5.0, 0.1, "0.5"), std::string("1.5"));

    WhenOpen<TZBox>([](TZBox* box) {
      QTest::keyClicks(box->Entrada(), "3");
      QTest::keyClick(box->Entrada(), Qt::Key_Escape);
    });
    QCOMPARE(TZBox::InputNumber("Grade", "Grade (Atual 0.5)", 0.1, 5.0, 0.1, "0.5"), std::string("0.5"));
    QVERIFY(boxes.warnings.empty());
  }

  void stepButtonsClampAndRepeatAfterHalfASecond() {
    TZBox box;
    box.setLimites(true, 0.1, 5.0);
    box.setPasso(0.1);
    box.show();
    box.setTexto("4.95");
    for (int i = 0; i < 2; ++i) ClickOn(box.BotaoMais());
    QCOMPARE(box.Texto(), std::string("5"));
    box.setTexto("0.3");
    for (int i = 0; i < 3; ++i) ClickOn(box.BotaoMenos());
    QCOMPARE(box.Texto(), std::string("0.1"));

    // Held: one step at once, more only after the delay.
    box.setTexto("1");
    QElapsedTimer held;
    held.start();
    QTest::mousePress(box.BotaoMais(), Qt::LeftButton);
    QCOMPARE(box.Texto(), std::string("1.1"));
    QTRY_VERIFY_WITH_TIMEOUT(box.Texto() != "1.1", 5000);
    QVERIFY(held.elapsed() >= 450);  // a load can only make the repeat later
    QTest::mouseRelease(box.BotaoMais(), Qt::LeftButton);

    // A decimal comma is read as a point when the limits are checked.
    box.setTexto("0,05");
    ClickOn(box.BotaoOK());
    QVERIFY(box.isVisible());
    QCOMPARE(boxes.warnings, (std::vector<std::string>{"Valor 0.05 \xE9 menor que o permitido. (0.1)"}));
  }

  void cancelsItselfWhenTheEntryStaysUnchanged() {
    TZBox box;
    QCOMPARE(box.TimerCancelamento()->interval(), 31000);  // the default: half a minute
    box.setPrazoCancelamento(300);
    QTimer::singleShot(150, [&] { box.setTexto("2"); });  // restarts the period
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(box.exec(), int(QDialog::Rejected));
    QVERIFY(clock.elapsed() >= 400);
  }

  void datePickerReturnsTheChosenDayWithItsTime() {
    // 45000.75 is 2023-03-15 18:00.
    WhenOpen<TFCalen>([](TFCalen* d) {
      QCOMPARE(d->Calendario()->selectedDate(), QDate(2023, 3, 15));
      d->Calendario()->setSelectedDate(QDate(2023, 3, 20));
      ClickOn(d->BotaoOK());
    });
    QCOMPARE(TFCalen::EscolheData("Vencimento", 45000.75), 45005.75);
  }
};

QTEST_MAIN(TZBoxTest)
#include "TZBoxTest.moc"
