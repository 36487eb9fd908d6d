#pragma once
#include <QtCore/qnamespace.h>

#include <string>
#include <vector>

// Every key and mouse action of the editor, in one table. The key handler
// looks a key up here before it acts (a key missing from the table does
// nothing), and the help window and the README are checked against it, so
// what the user reads cannot drift from what the keys do.
enum class KeyGroup { Add, Select, Edit, View, Files, BlockMode };

// Which modifiers a key needs: Any takes the key whatever is held; the
// others need exactly the named Ctrl and Shift (Alt is free unless named).
enum class KeyMods { Any, Plain, Ctrl, Shift, CtrlShift, Alt };

// What runs when the key comes: Classic keys run the window's original
// key commands, Menu keys are shortcuts of a menu item (the menu runs them;
// the handler sees them only while the item is disabled), Mouse rows
// describe the mouse and have no key.
enum class KeyAction {
  Classic,
  Menu,
  Mouse,
  SelectAll,
  ClearSelection,
  BoxSelect,
  Duplicate,
  Frame,
  ExactValues,
  KeysWindow,
};

struct KeyCommand {
  int code;  // virtual-key code (KeyCodes.h); 0 for a mouse row
  KeyMods mods;
  KeyAction action;
  KeyGroup group;
  const char* keysPt;  // the key as the user reads it ("Ctrl+A"), Latin-1
  const char* keysEn;
  const char* pt;  // what it does (Latin-1)
  const char* en;
};

const std::vector<KeyCommand>& EditorKeyCommands();

// The row of a key as it arrives (code and modifiers), nullptr when the
// editor does not know it.
const KeyCommand* FindKeyCommand(int code, Qt::KeyboardModifiers modifiers);

// The title of a group, in the language of `english`.
std::string KeyGroupTitle(KeyGroup group, bool english);
