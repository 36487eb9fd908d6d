#include "KeyCodes.h"

int WindowsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
  const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return 'A' + (qtKey - Qt::Key_A);
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return keypad ? 96 + (qtKey - Qt::Key_0) : '0' + (qtKey - Qt::Key_0);
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return vk::Enter;
    case Qt::Key_Escape:
      return vk::Escape;
    case Qt::Key_Space:
      return vk::Space;
    case Qt::Key_Home:
      return vk::Home;
    case Qt::Key_Left:
      return vk::Left;
    case Qt::Key_Up:
      return vk::Up;
    case Qt::Key_Right:
      return vk::Right;
    case Qt::Key_Down:
      return vk::Down;
    case Qt::Key_Insert:
      return vk::Insert;
    case Qt::Key_Delete:
      return vk::Delete;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return vk::Tab;  // Shift+Tab arrives as Backtab
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Plus:
      return keypad ? vk::Add : vk::OemPlus;
    case Qt::Key_Equal:
      return vk::OemPlus;  // + on the same key, without Shift
    case Qt::Key_Minus:
      return keypad ? vk::Subtract : vk::OemMinus;
    case Qt::Key_Asterisk:
      return keypad ? 106 : 0;
    case Qt::Key_Slash:
      return keypad ? 111 : 191;
    case Qt::Key_Period:
      return keypad ? 110 : 190;
    case Qt::Key_Comma:
      return 188;
    default:
      return 0;
  }
}
