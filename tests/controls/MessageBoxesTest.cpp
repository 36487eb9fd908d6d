#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

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
    QCOMPARE(AskRecoverDocuments("Abrir a c\xF3pia?", {"a", "b"}).answer, MessageBoxes::RecoveryAnswer::Later);
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

  // A file or element name is shown as it is written, never as markup: a name with a link or
  // an image tag is text in every box (a link would open a browser, an image would be loaded).
  void namesInBoxesAreShownAsPlainText() {
    const std::string name = "<a href=\"http://example.invalid/\">x</a><img src=\"missing.png\"><b>doc</b>.zobj3d";
    const auto showsLiterally = [&](QWidget* box) {
      QList<QLabel*> labels;
      for (QLabel* l : box->findChildren<QLabel*>())
        if (l->text().contains("href")) labels << l;
      QCOMPARE(labels.size(), 1);
      QCOMPARE(labels[0]->textFormat(), Qt::PlainText);
      QVERIFY(labels[0]->text().contains(QString::fromStdString(name)));
      QVERIFY(!labels[0]->hasSelectedText());
    };
    const std::function<void()> asks[] = {
        [&] { ShowWarning("N\xE3o foi poss\xEDvel ler o arquivo " + name); },
        [&] { AskConfirmation("Abrir " + name + "?"); },
        [&] { AskSaveChanges("O documento " + name + " foi alterado."); },
        [&] { AskSaveOverChangedFile("O arquivo " + name + " foi alterado por outro programa."); },
        [&] { AskRecoverDocuments("C\xF3pias de " + name, {name}); },
    };
    for (const auto& ask : asks) {
      bool seen = false;
      QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box);
        showsLiterally(box);
        seen = true;
        QTest::keyClick(box, Qt::Key_Escape);
      });
      ask();
      QVERIFY(seen);
    }
  }

  // A save over a file another program changed: Save as is the default, Overwrite must be
  // chosen, Escape cancels.
  void changedFileQuestionOffersSaveAsOverwriteAndCancel() {
    using Answer = MessageBoxes::ChangedFileAnswer;
    NextBox saveAs({"Salvar como..."});
    QCOMPARE(AskSaveOverChangedFile("O arquivo a.zobj3d foi alterado."), Answer::SaveAs);
    QCOMPARE(saveAs.title, QString("CONFIRMATION"));
    QStringList captions = saveAs.captions;
    captions.sort();
    QCOMPARE(captions, (QStringList{"Cancelar", "Salvar como...", "Substituir"}));
    NextBox overwrite({"Substituir"});
    QCOMPARE(AskSaveOverChangedFile("O arquivo a.zobj3d foi alterado."), Answer::Overwrite);
    QTimer::singleShot(0, [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    QCOMPARE(AskSaveOverChangedFile("O arquivo a.zobj3d foi alterado."), Answer::Cancel);
  }

  // All copies in one window: Open takes the chosen line, Discard all and
  // Later answer for every copy; Escape keeps them.
  void recoveryQuestionOffersEveryCopyInOneWindow() {
    using Answer = MessageBoxes::RecoveryAnswer;
    std::vector<std::string> lines;
    for (int i = 0; i < 500; ++i) lines.push_back("c\xF3pia " + std::to_string(i));
    const struct {
      QString button;
      int row;
      Answer answer;
      int copy;
    } cases[] = {{"Abrir", 2, Answer::Open, 2},
                 {"Descartar todas", 0, Answer::Discard, -1},
                 {"Depois", 1, Answer::Later, -1},
                 {"", 0, Answer::Later, -1}};
    for (const auto& c : cases) {
      int windows = 0, shown = 0;
      QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        QVERIFY(box);
        windows = QApplication::topLevelWidgets().count(box);
        auto* list = box->findChild<QListWidget*>();
        QVERIFY(list);
        shown = list->count();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(c.row)).center());
        if (c.button.isEmpty()) return QTest::keyClick(box, Qt::Key_Escape);
        for (QPushButton* b : box->findChildren<QPushButton*>())
          if (b->text() == c.button) return QTest::mouseClick(b, Qt::LeftButton);
        QFAIL(qPrintable("no button " + c.button));
      });
      const MessageBoxes::RecoveryChoice choice = AskRecoverDocuments("Abrir a c\xF3pia?", lines);
      QCOMPARE(windows, 1);
      QCOMPARE(shown, 500);
      QCOMPARE(choice.answer, c.answer);
      QCOMPARE(choice.copy, c.copy);
    }
    QCOMPARE(AskRecoverDocuments("nada", {}).answer, Answer::Later);
  }
};

QTEST_MAIN(MessageBoxesTest)
#include "MessageBoxesTest.moc"
