#pragma once
#include <QDialog>

class QTextBrowser;

// "Teclas e mouse": every key and mouse action of the editor, grouped,
// written from the command table the key handler itself looks keys up in.
class KeysWindow : public QDialog {
  Q_OBJECT
 public:
  explicit KeysWindow(QWidget* parent = nullptr);
  // (Re)writes the list in the interface's language.
  void Fill();
  QTextBrowser* List() const { return list_; }

 private:
  QTextBrowser* list_;
};
