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
    QMessageBox box(QMessageBox::Question, QStringLiteral("CONFIRMATION"), FromLatin1(text), QMessageBox::NoButton,
                    Owner());
    QPushButton* save = box.addButton(FromLatin1(Choose("Salvar", "Save")), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(FromLatin1(Choose("Descartar", "Discard")), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(FromLatin1(Choose("Cancelar", "Cancel")), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveAnswer::Save;
    if (box.clickedButton() == discard) return SaveAnswer::Discard;
    return SaveAnswer::Cancel;
  }
  RecoveryAnswer RecoveryQuestion(const std::string& text) override {
    QMessageBox box(QMessageBox::Question, QStringLiteral("CONFIRMATION"), FromLatin1(text), QMessageBox::NoButton,
                    Owner());
    QPushButton* open = box.addButton(FromLatin1(Choose("Abrir", "Open")), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(FromLatin1(Choose("Descartar", "Discard")), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(FromLatin1(Choose("Depois", "Later")), QMessageBox::RejectRole);
    box.setDefaultButton(open);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == open) return RecoveryAnswer::Open;
    if (box.clickedButton() == discard) return RecoveryAnswer::Discard;
    return RecoveryAnswer::Later;
  }

 private:
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
