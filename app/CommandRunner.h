#pragma once
#include <QtCore/qnamespace.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "EditorCommands.h"

class QAction;
class QMenu;
class TFEditorDeObjetos1;

// The one path every action takes. A run first settles what is typed in an
// exact-value box (applied, or discarded and said so), then runs the
// command's handler as one undo step named by its row, and then brings the
// window in step with the document: the frame, the element list, the
// property strip (the shown element, or the template when nothing is
// selected), the keys back to the view, the mode hint and the status line,
// where it writes what happened.
class CommandRunner {
 public:
  explicit CommandRunner(TFEditorDeObjetos1& window);

  // A command from a menu item, a button or a control of the window.
  void Run(CommandId id);
  // A command from a box the user is typing in: the keys stay there, and
  // while the exact-value boxes are being typed into it is part of their step.
  void RunInPlace(CommandId id);
  // A key the view received, with the row it was found in.
  void RunKey(const EditorCommand& row, int key, Qt::KeyboardModifiers mods);

  // An action that spans several events (typing into the exact-value
  // boxes): one step from Begin to End.
  void BeginEntry(CommandId id);
  void EndEntry();

  // Applies the text typed into an exact-value box, or puts the box's value
  // back and says so on the status line.
  void SettleTypedValues();

  // The File, Edit and "?" menus from the table's menu rows; each item runs
  // `onTriggered` when one is given for its command, else the command.
  void BuildMenus(const std::map<CommandId, void (TFEditorDeObjetos1::*)()>& onTriggered);
  QAction* Action(CommandId id) const;
  QMenu* Menu(MenuPlace place) const;

 private:
  void Run(const EditorCommand& row, CommandCall& call, bool inPlace = false);
  // The window brought in step after an action.
  struct Outcome {
    bool changed = false;      // the document changed
    bool listChanged = false;  // elements came, went or were renamed
    bool selectionChanged = false;
    bool focusBack = true;     // the keys go back to the view
    bool refreshPanel = true;  // not under the user's typing
    std::string report;
  };
  void After(const EditorCommand& row, const Outcome& outcome);
  StepName StepFor(const EditorCommand& row) const;
  std::vector<int32_t> Selection() const;

  TFEditorDeObjetos1& w_;
  int depth_ = 0;  // > 0 while a handler runs: commands it runs are part of it
  std::string nestedReport_;
  bool nestedChanged_ = false;
  std::string settledReport_;  // what settling the typed values said
  bool entryOpen_ = false;
  bool entryPending_ = false;  // the keys came into the boxes during a command (N)
  std::vector<int32_t> entrySelection_;
  std::map<CommandId, QAction*> actions_;
  std::map<MenuPlace, QMenu*> menus_;
};
