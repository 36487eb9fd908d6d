#include "ScriptHostQt.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QScreen>
#include <array>
#include <cstring>
#include <memory>

#include "KeyCodes.h"
#include "LatinText.h"
#include "controls/MessageBoxes.h"
#include "controls/TFCalen.h"
#include "controls/TZBox.h"
#include "scriptrt/ScriptHost.h"

namespace {
// Qt has no asynchronous key state: the host follows key presses and
// releases application-wide and answers from what it saw.
class KeyStateTracker : public QObject {
 public:
  int State(int vk) {
    if (vk < 0 || vk >= 256) return 0;
    const Qt::KeyboardModifiers mods = QGuiApplication::queryKeyboardModifiers();
    bool down = down_[vk];
    if (vk == 16) down = mods.testFlag(Qt::ShiftModifier);
    if (vk == 17) down = mods.testFlag(Qt::ControlModifier);
    if (vk == 18) down = mods.testFlag(Qt::AltModifier);
    int state = (down ? kScriptKeyDown : 0) | (pressedSince_[vk] ? kScriptKeyPressedSinceLastQuery : 0);
    pressedSince_[vk] = false;
    return state;
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    // A key that a shortcut takes arrives only as a shortcut override.
    const bool press = event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride;
    if (press || event->type() == QEvent::KeyRelease) {
      auto* key = static_cast<QKeyEvent*>(event);
      const int vk = WindowsKeyCode(key->key(), key->modifiers());
      if (vk > 0 && vk < 256 && !key->isAutoRepeat()) {
        down_[vk] = press;
        if (press) pressedSince_[vk] = true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::array<bool, 256> down_{};
  std::array<bool, 256> pressedSince_{};
};

std::unique_ptr<KeyStateTracker>& Tracker() {
  static std::unique_ptr<KeyStateTracker> tracker;
  return tracker;
}

int ChooseDate(void*, const char* title, double date, double* chosen) {
  const double d = TFCalen::EscolheData(title ? title : "", date);
  if (d < 0) return 0;
  *chosen = d;
  return 1;
}

int InputNumber(void*, const char* caption, const char* title, const char* defaultText, char* entered, int capacity) {
  TZBox box(QApplication::activeWindow());
  box.setCaption(caption ? caption : "");
  box.setPrompt(title ? title : "");
  box.setLimites(false, 0, 0);
  box.setTexto(defaultText ? defaultText : "");
  if (box.exec() != QDialog::Accepted || capacity <= 0) return 0;
  const std::string text = box.Texto();
  const size_t n = std::min(text.size(), static_cast<size_t>(capacity - 1));
  std::memcpy(entered, text.data(), n);
  entered[n] = '\0';
  return 1;
}

int KeyState(void*, int virtualKey) { return Tracker() ? Tracker()->State(virtualKey) : 0; }

int ScreenWidth(void*) {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->size().width() : 0;
}

int ScreenHeight(void*) {
  const QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->size().height() : 0;
}

void ShowInformation(void*, const char* title, const char* text) {
  // A script's text, shown as it is written, never as markup.
  QMessageBox box(QMessageBox::Information, L1(title ? title : ""), L1(text ? text : ""), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

int Confirm(void*, const char* text) { return AskConfirmation(text ? text : "") ? 1 : 0; }
}  // namespace

void InstallQtScriptHost() {
  if (!Tracker()) {
    Tracker() = std::make_unique<KeyStateTracker>();
    qApp->installEventFilter(Tracker().get());
  }
  ScriptHost host{};
  host.ChooseDate = ChooseDate;
  host.InputNumber = InputNumber;
  host.KeyState = KeyState;
  host.ScreenWidth = ScreenWidth;
  host.ScreenHeight = ScreenHeight;
  host.ShowInformation = ShowInformation;
  host.AskConfirmation = Confirm;
  ScriptHostInstall(&host);
}

void RemoveQtScriptHost() {
  ScriptHostInstall(nullptr);
  if (Tracker()) {
    qApp->removeEventFilter(Tracker().get());
    Tracker().reset();
  }
}
