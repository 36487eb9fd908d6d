#pragma once
#include <QtCore/qnamespace.h>

#include <cstdint>
#include <functional>

class QObject;
class QPainter;

// Conventions of the control library:
// - Every property is a getter named as the property (Valor()) and a setter
//   with "set" in front (setValor()). Setters that only store a value do not
//   repaint; the ones that the controls' users expect to act do.
// - Events are public std::function members named as the event; "before"
//   events take their flags by reference so a handler can veto or redirect.
// - Texts are Latin-1 bytes in std::string; they become QString only when
//   drawn or handed to a Qt widget.
// - Colours are 32-bit Windows-encoded values (see WinColor.h).

using TNotifyEvent = std::function<void(QObject* Sender)>;
using TMouseEvent =
    std::function<void(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(QObject* Sender, Qt::KeyboardModifiers Shift, int X, int Y)>;
// Key is a Qt key code; a handler sets it to 0 to swallow the key.
using TKeyEvent = std::function<void(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift)>;

// The mouse events the library's controls raise, as public members.
struct TMouseEvents {
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
};
