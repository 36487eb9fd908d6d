#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

#include "ControlText.h"

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
