#include "KeyboardWalk.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>
#include <algorithm>

KeyboardWalk::KeyboardWalk(const std::vector<QWidget*>& order, QWidget* view, const std::vector<QWidget*>& ownEscape)
    : QObject(view), view_(view) {
  // Tab from the last comes back to the first: the window's chain is a
  // ring, and no other control of the window takes the keyboard.
  for (size_t i = 0; i < order.size(); ++i) {
    if (i + 1 < order.size()) QWidget::setTabOrder(order[i], order[i + 1]);
    if (order[i] != view && std::find(ownEscape.begin(), ownEscape.end(), order[i]) == ownEscape.end())
      order[i]->installEventFilter(this);
  }
}

bool KeyboardWalk::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier) return false;
  // Esc here is this control's, not the menu's "normal edition".
  if (event->type() == QEvent::ShortcutOverride) {
    event->accept();
    return true;
  }
  (void)watched;  // any control of the walk: the keys go back to the view
  if (view_->isVisible() && view_->isEnabled()) view_->setFocus(Qt::ShortcutFocusReason);
  return true;
}
