#pragma once
#include <QtCore/qnamespace.h>

// The editor's key handlers work with the classic virtual-key codes (Enter
// 13, Esc 27, arrows 37-40, digits 48-57, letters 65-90, keypad + 107 and
// - 109, F5-F11 116-122). This is the one table that maps Qt's keys to them.
namespace vk {
constexpr int Tab = 9, Enter = 13, Escape = 27, Space = 32, Home = 36, Left = 37, Up = 38, Right = 39, Down = 40,
              Insert = 45, Delete = 46, Add = 107, Subtract = 109, F5 = 116, F6 = 117, F7 = 118, F9 = 120, F10 = 121,
              F11 = 122;
// The main keyboard's =/+ key and its - key.
constexpr int OemPlus = 187, OemMinus = 189;
}  // namespace vk

// The virtual-key code of a Qt key event, 0 for keys the editor ignores
// (the bare modifier keys among them).
int WindowsKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);
