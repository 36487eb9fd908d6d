#include "MessageBoxes.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "ControlText.h"
#include "common/Dictionary.h"

namespace {
constexpr size_t kMaxText = 255;

// Every text here may carry a file name, an element name or other bytes of
// a document: it is shown as plain text, never as markup (an image or a
// link in a name would otherwise be loaded or drawn).
class QtMessageBoxes : public MessageBoxes {
 public:
  void Warning(const std::string& text) override {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("WARNING"), FromLatin1(text), QMessageBox::Ok, Owner());
    box.setTextFormat(Qt::PlainText);
    box.exec();
  }
  bool Confirmation(const std::string& text) override {
    QMessageBox box(QMessageBox::Question, QStringLiteral("CONFIRMATION"), FromLatin1(text),
                    QMessageBox::Yes | QMessageBox::No, Owner());
    box.setTextFormat(Qt::PlainText);
    return box.exec() == QMessageBox::Yes;
  }
  SaveAnswer SaveQuestion(const std::string& text) override {
    static constexpr SaveAnswer kAnswers[] = {SaveAnswer::Save, SaveAnswer::Discard, SaveAnswer::Cancel};
    return kAnswers[AskThreeWay(text, {"Salvar", "Save"}, {"Descartar", "Discard"}, {"Cancelar", "Cancel"})];
  }
  ChangedFileAnswer ChangedFileQuestion(const std::string& text) override {
    // Keeping both versions is the default; overwriting is the destructive answer.
    static constexpr ChangedFileAnswer kAnswers[] = {ChangedFileAnswer::SaveAs, ChangedFileAnswer::Overwrite,
                                                     ChangedFileAnswer::Cancel};
    return kAnswers[AskThreeWay(text, {"Salvar como...", "Save as..."}, {"Substituir", "Overwrite"},
                                {"Cancelar", "Cancel"})];
  }
  RecoveryChoice RecoveryQuestion(const std::string& text, const std::vector<std::string>& copies) override {
    QDialog box(Owner());
    box.setWindowTitle(QStringLiteral("CONFIRMATION"));
    auto* column = new QVBoxLayout(&box);
    auto* label = new QLabel(FromLatin1(text), &box);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    column->addWidget(label);
    auto* list = new QListWidget(&box);
    list->setUniformItemSizes(true);
    for (const std::string& line : copies) list->addItem(FromLatin1(line));
    list->setCurrentRow(0);
    column->addWidget(list);
    auto* buttons = new QDialogButtonBox(&box);
    QPushButton* open = buttons->addButton(FromLatin1(Choose("Abrir", "Open")), QDialogButtonBox::AcceptRole);
    QPushButton* discard =
        buttons->addButton(FromLatin1(Choose("Descartar todas", "Discard all")), QDialogButtonBox::DestructiveRole);
    buttons->addButton(FromLatin1(Choose("Depois", "Later")), QDialogButtonBox::RejectRole);
    open->setDefault(true);
    column->addWidget(buttons);
    RecoveryChoice choice;
    QObject::connect(open, &QPushButton::clicked, &box, [&] {
      choice = {RecoveryAnswer::Open, list->currentRow()};
      box.accept();
    });
    QObject::connect(list, &QListWidget::itemDoubleClicked, open, &QPushButton::click);
    QObject::connect(discard, &QPushButton::clicked, &box, [&] {
      choice = {RecoveryAnswer::Discard, -1};
      box.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &box, &QDialog::reject);
    box.resize(560, 320);
    box.exec();
    if (choice.answer == RecoveryAnswer::Open && choice.copy < 0) choice = {};
    return choice;
  }

 private:
  struct Caption {
    const char *portuguese, *english;
  };
  // A question with a default answer, a destructive one and the one Escape
  // gives; returns 0, 1 or 2 in that order.
  int AskThreeWay(const std::string& text, Caption accept, Caption destroy, Caption reject) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("CONFIRMATION"), FromLatin1(text), QMessageBox::NoButton,
                    Owner());
    box.setTextFormat(Qt::PlainText);
    QPushButton* first = box.addButton(FromLatin1(Choose(accept.portuguese, accept.english)), QMessageBox::AcceptRole);
    QPushButton* second =
        box.addButton(FromLatin1(Choose(destroy.portuguese, destroy.english)), QMessageBox::DestructiveRole);
    QPushButton* third = box.addButton(FromLatin1(Choose(reject.portuguese, reject.english)), QMessageBox::RejectRole);
    box.setDefaultButton(first);
    box.setEscapeButton(third);
    box.exec();
    if (box.clickedButton() == first) return 0;
    if (box.clickedButton() == second) return 1;
    return 2;
  }

  // The application's main window when there is one; none before it exists.
  static QWidget* Owner() {
    if (QWidget* active = QApplication::activeWindow()) return active;
    for (QWidget* top : QApplication::topLevelWidgets())
      if (top->isVisible() && top->windowType() == Qt::Window) return top;
    return nullptr;
  }
};

QtMessageBoxes& DefaultBoxes() {
  static QtMessageBoxes boxes;
  return boxes;
}

MessageBoxes* installed = nullptr;

MessageBoxes& Boxes() { return installed ? *installed : DefaultBoxes(); }
}  // namespace

void SetMessageBoxes(MessageBoxes* boxes) { installed = boxes; }

void ShowWarning(const std::string& text) { Boxes().Warning(text.substr(0, kMaxText)); }

bool AskConfirmation(const std::string& text) { return Boxes().Confirmation(text.substr(0, kMaxText)); }

MessageBoxes::SaveAnswer AskSaveChanges(const std::string& text) {
  return Boxes().SaveQuestion(text.substr(0, kMaxText));
}

MessageBoxes::ChangedFileAnswer AskSaveOverChangedFile(const std::string& text) {
  return Boxes().ChangedFileQuestion(text.substr(0, kMaxText));
}

MessageBoxes::RecoveryChoice AskRecoverDocuments(const std::string& text, const std::vector<std::string>& copies) {
  if (copies.empty()) return {};
  MessageBoxes::RecoveryChoice choice = Boxes().RecoveryQuestion(text.substr(0, kMaxText), copies);
  if (choice.answer == MessageBoxes::RecoveryAnswer::Open &&
      (choice.copy < 0 || static_cast<size_t>(choice.copy) >= copies.size()))
    return {};
  return choice;
}
