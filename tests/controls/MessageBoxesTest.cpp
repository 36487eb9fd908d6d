#include <QAbstractButton>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "controls/ControlText.h"
#include "controls/MessageBoxes.h"

namespace {
struct Answering : MessageBoxes {
  std::string lastWarning, lastQuestion;
  bool answer = true;
  void Warning(const std::string& text) override { lastWarning = text; }
  bool Confirmation(const std::string& text) override {
    lastQuestion = text;
    return answer;
  }
};
}  // namespace

class MessageBoxesTest : public QObject {
  Q_OBJECT

  // Closes the next modal box with `button`, remembering its title and text.
  void AnswerNextBox(QMessageBox::StandardButton button, QString* title, QString* text) {
    QTimer::singleShot(0, [=] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      *title = box->windowTitle();
      *text = box->text();
      box->button(button)->click();
    });
  }

 private slots:
  void replacedBoxesAnswerAndTextsAreCut() {
    Answering boxes;
    SetMessageBoxes(&boxes);
    ShowWarning(std::string(300, 'x'));
    QCOMPARE(boxes.lastWarning.size(), size_t(255));
    boxes.answer = false;
    QVERIFY(!AskConfirmation("New file?"));
    QCOMPARE(boxes.lastQuestion, std::string("New file?"));
    boxes.answer = true;
    QVERIFY(AskConfirmation("New file?"));
    SetMessageBoxes(nullptr);
  }

  void qtBoxesCarryTheFixedTitles() {
    QString title, text;
    AnswerNextBox(QMessageBox::Ok, &title, &text);
    ShowWarning("Valor 7 \xE9 maior que o permitido. (5)");
    QCOMPARE(title, QString("WARNING"));
    QCOMPARE(text, FromLatin1("Valor 7 \xE9 maior que o permitido. (5)"));

    AnswerNextBox(QMessageBox::Yes, &title, &text);
    QVERIFY(AskConfirmation("Deseja criar novo objeto?"));
    QCOMPARE(title, QString("CONFIRMATION"));
    AnswerNextBox(QMessageBox::No, &title, &text);
    QVERIFY(!AskConfirmation("Deseja criar novo objeto?"));
  }

  // The recovery question: three buttons in the order Open, Discard, Later;
  // Escape keeps the copy, and so do boxes that offer only yes and no.
  void recoveryQuestionKeepsTheCopyUnlessToldOtherwise() {
    using Answer = MessageBoxes::RecoveryAnswer;
    const Answer expected[] = {Answer::Open, Answer::Discard, Answer::Later};
    for (int button = 0; button < 3; ++button) {
      QStringList captions;
      QTimer::singleShot(0, [&captions, button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        for (QAbstractButton* b : box->buttons()) captions << b->text();
        const QString wanted = QStringList{"Abrir", "Descartar", "Depois"}[button];
        const QString alternate = QStringList{"Open", "Discard", "Later"}[button];
        for (QAbstractButton* b : box->buttons())
          if (b->text() == wanted || b->text() == alternate) b->click();
      });
      QCOMPARE(AskRecoverDocument("Abrir a c\xF3pia?"), expected[button]);
      QCOMPARE(captions.size(), 3);
    }
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    QCOMPARE(AskRecoverDocument("Abrir a c\xF3pia?"), Answer::Later);

    Answering boxes;
    SetMessageBoxes(&boxes);
    QCOMPARE(AskRecoverDocument("Abrir a c\xF3pia?"), Answer::Later);
    QVERIFY(boxes.lastQuestion.empty());
    SetMessageBoxes(nullptr);
  }
};

QTEST_MAIN(MessageBoxesTest)
#include "MessageBoxesTest.moc"
