#pragma once
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// Mouse events delivered straight to a widget, with the button state a
// real drag carries (QTest's helpers lose it between calls).
inline void SendMouse(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, held, Qt::NoModifier);
  QApplication::sendEvent(w, &event);
}
inline void Press(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
  SendMouse(w, QEvent::MouseButtonPress, p, b, b);
}
inline void Move(QWidget* w, QPoint p, Qt::MouseButtons held = Qt::LeftButton) {
  SendMouse(w, QEvent::MouseMove, p, Qt::NoButton, held);
}
inline void Release(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
  SendMouse(w, QEvent::MouseButtonRelease, p, b, Qt::NoButton);
}
inline void Click(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
  Press(w, p, b);
  Release(w, p, b);
}
