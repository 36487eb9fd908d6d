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
}  // namespace

class TZBoxTest : public QObject {
  Q_OBJECT
  Recorder boxes;

  static void GridBox(TZBox& box, const char* text) {
    box.setLimites(true, 0.1, 5.0);
    box.setPasso(0.1);
    box.setTexto(text);
  }

 private slots:
  void init() {
    boxes.warnings.clear();
    SetMessageBoxes(&boxes);
  }
  void cleanup() { SetMessageBoxes(nullptr); }

  void okOutsideTheLimitsWarnsAndStaysOpen() {
    TZBox box;
    GridBox(box, "7");
    box.show();
    box.BotaoOK()->click();
    QVERIFY(box.isVisible());
    GridBox(box, "0,05");
    box.BotaoOK()->click();
    QVERIFY(box.isVisible());
    QCOMPARE(boxes.warnings, (std::vector<std::string>{"Valor 7 \xE9 maior que o permitido. (5)",
                                                       "Valor 0.05 \xE9 menor que o permitido. (0.1)"}));
    box.setTexto("2.5");
    box.BotaoOK()->click();
    QVERIFY(!box.isVisible());
    QCOMPARE(box.result(), int(QDialog::Accepted));
  }

  void inputNumberReturnsTheTextOrTheCurrentValue() {
    WhenOpen<TZBox>([](TZBox* box) {
      QCOMPARE(box->windowTitle(), QString("Grade"));
      box->Tecla("Del")->click();
      box->Tecla("1")->click();
      box->Tecla(".")->click();
      box->Tecla("5")->click();
      QTest::keyClick(box->Entrada(), Qt::Key_Return);  // Enter is OK
    });
    QCOMPARE(TZBox::InputNumber("Grade", "Grade (Atual 0.5)", 0.1, 5.0, 0.1, "0.5"), std::string("1.5"));

    WhenOpen<TZBox>([](TZBox* box) {
      box->setTexto("3");
      QTest::keyClick(box->Entrada(), Qt::Key_Escape);
    });
    QCOMPARE(TZBox::InputNumber("Grade", "Grade (Atual 0.5)", 0.1, 5.0, 0.1, "0.5"), std::string("0.5"));
    QVERIFY(boxes.warnings.empty());
  }

  void stepButtonsClampAndRepeatAfterHalfASecond() {
    TZBox box;
    GridBox(box, "4.95");
    box.BotaoMais()->click();
    QCOMPARE(box.Texto(), std::string("5"));
    box.BotaoMais()->click();
    QCOMPARE(box.Texto(), std::string("5"));
    box.setTexto("0.3");
    box.BotaoMenos()->click();
    box.BotaoMenos()->click();
    QCOMPARE(box.Texto(), std::string("0.1"));
    box.BotaoMenos()->click();
    QCOMPARE(box.Texto(), std::string("0.1"));
    QVERIFY(box.BotaoMais()->autoRepeat());
    QCOMPARE(box.BotaoMais()->autoRepeatDelay(), 500);

    // Held for real: one step at once, more only after the delay.
    box.show();
    box.setTexto("1");
    QElapsedTimer held;
    held.start();
    QTest::mousePress(box.BotaoMais(), Qt::LeftButton);
    QCOMPARE(box.Texto(), std::string("1.1"));
    QTest::qWait(200);
    if (held.elapsed() < 450) QCOMPARE(box.Texto(), std::string("1.1"));  // no repetition before 500 ms
    QTRY_VERIFY_WITH_TIMEOUT(box.Texto() != "1.1", 5000);
    QTest::mouseRelease(box.BotaoMais(), Qt::LeftButton);
  }

  void cancelsItselfWhenTheEntryStaysUnchanged() {
    TZBox box;
    QCOMPARE(box.PrazoCancelamento(), 31000);
    QCOMPARE(box.TimerCancelamento()->interval(), 31000);
    box.setPrazoCancelamento(300);
    QTimer::singleShot(150, [&] { box.setTexto("2"); });  // restarts the period
    QElapsedTimer clock;
    clock.start();
    WhenOpen<TZBox>([](TZBox*) {});
    const int result = box.exec();
    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY(clock.elapsed() >= 400);
  }

  void datePickerReturnsTheChosenDayWithItsTimeOrMinusOne() {
    // 45000.75 is 2023-03-15 18:00.
    WhenOpen<TFCalen>([](TFCalen* d) {
      QCOMPARE(d->Calendario()->selectedDate(), QDate(2023, 3, 15));
      d->Calendario()->setSelectedDate(QDate(2023, 3, 20));
      d->BotaoOK()->click();
    });
    QCOMPARE(TFCalen::EscolheData("Vencimento", 45000.75), 45005.75);

    WhenOpen<TFCalen>([](TFCalen* d) { d->BotaoCancelar()->click(); });
    QCOMPARE(TFCalen::EscolheData("Vencimento", 45000.75), -1.0);

    TFCalen monthly;
    monthly.setPorMes(true);
    monthly.setDataHora(45000.5);
    QCOMPARE(monthly.DataHora(), 44986.5);  // 2023-03-01
  }
};

QTEST_MAIN(TZBoxTest)
#include "TZBoxTest.moc"
