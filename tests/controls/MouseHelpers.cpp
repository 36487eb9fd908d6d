#include "MouseHelpers.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace {
void Send(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
  QMouseEvent event(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}
}  // namespace

void Press(QWidget* w, QPoint p, Qt::MouseButton button) {
  Send(w, QEvent::MouseButtonPress, p, button, button);
}
void Move(QWidget* w, QPoint p, Qt::MouseButtons held) { Send(w, QEvent::MouseMove, p, Qt::NoButton, held); }
void Release(QWidget* w, QPoint p, Qt::MouseButton button) {
  Send(w, QEvent::MouseButtonRelease, p, button, Qt::NoButton);
}
void Click(QWidget* w, QPoint p, Qt::MouseButton button) {
  Press(w, p, button);
  Release(w, p, button);
}
