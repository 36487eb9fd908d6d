#pragma once
#include <QtCore/qnamespace.h>

#include <string>
#include <vector>

#include "document/EditStepNames.h"

class TFEditorDeObjetos1;

// Every action of the editor, in one table: its keys, its place in the
// menu, its texts in both languages, its handler, whether it changes the
// document and the name of its undo step. The key handler, the menu, the
// tool-strip buttons and the property strip all run their actions through
// the one runner (CommandRunner.h) by a row of this table; the menu, the
// tooltips, the key list window and the README are made from or checked
// against it, so what the user reads cannot drift from what runs.
enum class KeyGroup { Add, Select, Edit, View, Files, BlockMode };

// Which modifiers a key needs: Any takes the key whatever is held; the
// others need exactly the named Ctrl and Shift (Alt is free unless named).
enum class KeyMods { Any, Plain, Ctrl, Shift, CtrlShift, Alt };

// Align: the Edit menu's "Alinhar" submenu.
enum class MenuPlace { None, File, Edit, Help, Align };

enum class CommandId {
  // File menu
  New,
  Open,
  Save,
  SaveAs,
  Export,
  Quit,
  // Edit menu
  Undo,
  Redo,
  History,
  Copy,
  Paste,
  Delete,
  Grid,
  UndoLevels,
  LeftLight,
  NormalEdition,
  TagName,
  // "?" menu
  KeysWindow,
  Language,
  About,
  // keys of the view
  AddKind,
  ClickAtPointer,
  Duplicate,
  SelectAll,
  ClearSelection,
  BoxSelect,
  Enter,
  Mode,
  Axis,
  PointerNudge,
  Arrows,
  ExactValues,
  Snapping,
  Pivot,
  Hide,
  HideOthers,
  ShowAll,
  Mirror,
  AlignMinX,
  AlignMinY,
  AlignMinZ,
  AlignCentreX,
  AlignCentreY,
  AlignCentreZ,
  AlignMaxX,
  AlignMaxY,
  AlignMaxZ,
  DistributeX,
  DistributeY,
  DistributeZ,
  Projection,
  DefaultView,
  ViewPreset,
  Frame,
  Zoom,
  Pan,
  BlockMode,
  AddBlock,
  // the property strip and the element list
  Color,
  Texture,
  Visibility,
  Chamfer,
  TopSize,
  Angles,
  ExactEntry,
  Rename,
  Mouse,  // rows that describe the mouse
};

// A running action: the key that started it (0 from a menu or a button)
// and what the handler tells the status line (Latin-1, empty: nothing).
struct CommandCall {
  int key = 0;
  Qt::KeyboardModifiers mods;
  std::string report;
  bool changed = false;  // set by handlers whose change is no new step (undo, redo)
};

using CommandHandler = void (*)(TFEditorDeObjetos1& window, CommandCall& call);

struct EditorCommand {
  CommandId id;
  int code;  // virtual-key code (KeyCodes.h); 0: no key
  KeyMods mods;
  KeyGroup group;
  const char* keysPt;  // the key or mouse action as the user reads it ("Ctrl+A"), Latin-1
  const char* keysEn;
  const char* pt;  // what it does, also its tooltip (Latin-1)
  const char* en;
  CommandHandler handler;  // null: a row that only describes the mouse
  bool changesDocument;
  StepName step;            // the undo step it takes
  bool stepByMode = false;  // the step is named by the movement mode (move, resize, turn)
  MenuPlace menu = MenuPlace::None;
  const char* menuPt = nullptr;  // the menu caption ("&" marks the access key)
  const char* menuEn = nullptr;
  bool separatorBefore = false;
};

const std::vector<EditorCommand>& EditorCommands();

// The row of a key as it arrives (code and modifiers), nullptr when the
// editor does not know it.
const EditorCommand* FindKeyCommand(int code, Qt::KeyboardModifiers modifiers);
// The first row of a command (its menu row, where it has one).
const EditorCommand& CommandOf(CommandId id);
// Every key of a command, as Qt key sequences' text ("Ctrl+Y").
std::vector<std::string> ShortcutsOf(CommandId id);

// Whether a row's handler draws the frame itself (the classic key commands).
bool DrawsItself(const EditorCommand& row);

// The title of a group, in the language of `english`.
std::string KeyGroupTitle(KeyGroup group, bool english);
// A menu row's key as a Qt key sequence's text ("Ctrl+Z", "Del"); empty
// for a row without a key the menu can carry.
std::string ShortcutText(const EditorCommand& command);
