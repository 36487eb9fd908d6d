#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ControlText.h"
#include "common/Dictionary.h"

namespace {
constexpr size_t kMaxText = 255;

class QtMessageBoxes : public MessageBoxes {
 public:
  void Warning(const std::string& text) override {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("WARNING"), FromLatin1(text), QMessageBox::Ok, Owner());
    box.exec();
  }
  bool Confirmation(const std::string& text) override {
    QMessageBox box(QMessageBox::Question, QStringLiteral("CONFIRMATION"), FromLatin1(text),
                    QMessageBox::Yes | QMessageBox::No, Owner());
    return box.exec() == QMessageBox::Yes;
  }
  SaveAnswer SaveQuestion(const std::string& text) override {
    static constexpr SaveAnswer kAnswers[] = {SaveAnswer::Save, SaveAnswer::Discard, SaveAnswer::Cancel};
    return kAnswers[AskThreeWay(text, {"Salvar", "Save"}, {"Descartar", "Discard"}, {"Cancelar", "Cancel"})];
  }
  RecoveryAnswer RecoveryQuestion(const std::string& text) override {
    static constexpr RecoveryAnswer kAnswers[] = {RecoveryAnswer::Open, RecoveryAnswer::Discard,
                                                  RecoveryAnswer::Later};
    return kAnswers[AskThreeWay(text, {"Abrir", "Open"}, {"Descartar", "Discard"}, {"Depois", "Later"})];
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

MessageBoxes::RecoveryAnswer AskRecoverDocument(const std::string& text) {
  return Boxes().RecoveryQuestion(text.substr(0, kMaxText));
}
