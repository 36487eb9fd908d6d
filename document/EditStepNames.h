#pragma once

// What an undo step did, as the status line names it when the step is
// undone or redone ("Desfeito: mover" / "Undone: move").
enum class StepName {
  Edit,  // an edit nothing more is known of
  Add,
  Move,
  Resize,
  Turn,
  Paste,
  Delete,
  Duplicate,
  Color,
  Texture,
  Visibility,
  Chamfer,
  TopSize,
  Angles,
  ExactValues,
  Rename,
  Block,
  Mirror,
  Align,
  Distribute,
};

// The name in each language (Latin-1), lower case, to follow "Desfeito: ".
const char* StepNamePt(StepName name);
const char* StepNameEn(StepName name);

// The step a drag or an arrow key makes in a movement mode (0 move,
// 1 resize, 2 turn; anything else is an edit).
StepName StepOfMoveMode(int mode);
