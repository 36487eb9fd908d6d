#pragma once
#include <QObject>
#include <vector>

class QWidget;

// The keyboard's walk through the window: Tab and Shift+Tab go round
// `order` (reading order: the tool strip, the view, the list) and back, and
// Esc in any of them but the view gives the keys back to the view.
class KeyboardWalk : public QObject {
 public:
  // `view` must be one of `order`; the walk belongs to it. Controls in
  // `ownEscape` handle Esc themselves.
  KeyboardWalk(const std::vector<QWidget*>& order, QWidget* view, const std::vector<QWidget*>& ownEscape);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* view_;
};
