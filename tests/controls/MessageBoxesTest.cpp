#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "controls/ControlText.h"
#include "controls/MessageBoxes.h"

namespace {
struct Answering : MessageBoxes {
  std::string lastWarning, lastQuestion;
  void Warning(const std::string& text) override { lastWarning = text; }
  bool Confirmation(const std::string& text) override {
    lastQuestion = text;
    return false;
  }
};

// Once the next modal box is open: remembers its title, text and buttons, clicks the wanted one.
struct NextBox {
  QString title, text;
  QStringList captions;
  explicit NextBox(QStringList wanted) {
    QTimer::singleShot(0, [this, wanted] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      title = box->windowTitle();
      text = box->text();
      for (QAbstractButton* b : box->buttons()) captions << b->text().remove('&');
      for (QAbstractButton* b : box->buttons())
        if (wanted.contains(b->text().remove('&'))) return QTest::mouseClick(b, Qt::LeftButton);
      QTest::keyClick(box, Qt::Key_Escape);
      QFAIL(qPrintable("no button " + wanted.join('/') + " among " + captions.join('/')));
    });
  }
};
}  // namespace

class MessageBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  void replacedBoxesAnswerAndTextsAreCut() {
    Answering boxes;
    SetMessageBoxes(&boxes);
    ShowWarning(std::string(300, 'x'));
    QCOMPARE(boxes.lastWarning.size(), size_t(255));
    QVERIFY(!AskConfirmation("New file?"));
    QCOMPARE(boxes.lastQuestion, std::string("New file?"));
    // Boxes without the three recovery answers keep the copy, unasked.
    QCOMPARE(AskRecoverDocument("Abrir a c\xF3pia?"), MessageBoxes::RecoveryAnswer::Later);
    QCOMPARE(boxes.lastQuestion, std::string("New file?"));
    SetMessageBoxes(nullptr);
  }

  void qtBoxesCarryTheFixedTitles() {
    NextBox warning({"OK"});
    ShowWarning("Valor 7 \xE9 maior que o permitido. (5)");
    QCOMPARE(warning.title, QString("WARNING"));
    QCOMPARE(warning.text, FromLatin1("Valor 7 \xE9 maior que o permitido. (5)"));
    NextBox yes({"Yes"});
    QVERIFY(AskConfirmation("Deseja criar novo objeto?"));
    QCOMPARE(yes.title, QString("CONFIRMATION"));
    NextBox no({"No"});
    QVERIFY(!AskConfirmation("Deseja criar novo objeto?"));
  }

  // Three buttons in the order Open, Discard, Later; Escape keeps the copy.
  void recoveryQuestionKeepsTheCopyUnlessToldOtherwise() {
    using Answer = MessageBoxes::RecoveryAnswer;
    const struct {
      QStringList button;
      Answer answer;
    } cases[] = {{{"Abrir", "Open"}, Answer::Open},
                 {{"Descartar", "Discard"}, Answer::Discard},
                 {{"Depois", "Later"}, Answer::Later}};
    for (const auto& c : cases) {
      NextBox box(c.button);
      QCOMPARE(AskRecoverDocument("Abrir a c\xF3pia?"), c.answer);
      QCOMPARE(box.captions.size(), 3);
    }
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    QCOMPARE(AskRecoverDocument("Abrir a c\xF3pia?"), Answer::Later);
  }
};

QTEST_MAIN(MessageBoxesTest)
#include "MessageBoxesTest.moc"
