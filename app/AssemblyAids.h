#pragma once
#include <cstdint>

class TFEditorDeObjetos1;
struct CommandCall;

// What building from parts keeps on the window: the pivot turns go about,
// and a fresh duplicate that follows the pointer until a click places it.
struct AssemblyAids {
  bool commonPivot = false;  // turns go about the selection's common centre
  bool following = false;    // the copies move with the pointer (XZ grab)
  int32_t countWhenFollowing = 0;  // a document that changed size ends it
};

// P: the pivot switched, kept for the next start, said on the status line.
void TogglePivot(TFEditorDeObjetos1& window, CommandCall& call);
// Ctrl+D, Shift+D: the selection duplicated one step aside; the copies then
// follow the pointer.
void DuplicateAndFollow(TFEditorDeObjetos1& window, CommandCall& call);
// The copies moved to where the pointer at (x, y) takes them.
void FollowPointer(TFEditorDeObjetos1& window, int x, int y);
// A click places the copies where they are; Esc (`back`) puts them back one
// step aside, where the duplicate made them. Nothing while none follows.
void StopFollowing(TFEditorDeObjetos1& window, bool back);
