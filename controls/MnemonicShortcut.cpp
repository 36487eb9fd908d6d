#include "MnemonicShortcut.h"

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include "ControlText.h"

void UpdateMnemonic(QWidget* owner, QShortcut*& shortcut, const std::string& caption, std::function<void()> click) {
  const QKeySequence mnemonic = QKeySequence::mnemonic(FromLatin1(caption));
  if (mnemonic.isEmpty()) {
    delete shortcut;
    shortcut = nullptr;
    return;
  }
  if (!shortcut) {
    shortcut = new QShortcut(owner);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, owner, std::move(click));
  }
  shortcut->setKey(mnemonic);
}
