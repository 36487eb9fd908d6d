// Switching the block mode on and off, and what shows that it is on: the
// pressed F11 key button and the status line.
#include <QTimer>

#include "TFEditorDeObjetos1.h"
#include "controls/TSBM.h"

namespace {
// The F11 button stays down while the mode is on: a toggle of its own group.
constexpr int kBlockButtonGroup = 7;
}  // namespace

void TFEditorDeObjetos1::SetUpBlockModeButton() {
  for (TSBM* b : keyButtons) {
    if (b->Caption() != "F11") continue;
    b->setGroupIndex(kBlockButtonGroup);
    b->setAllowAllUp(true);
    // A click toggles the button by itself; the mode it switched decides.
    b->OnMouseUp = [this](QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int, int) { ShowBlockMode(); };
  }
}

bool TFEditorDeObjetos1::BlockMode() const { return Timer1 && Timer1->isActive(); }

void TFEditorDeObjetos1::SetBlockMode(bool on) {
  if (on) {
    Timer1->start();
  } else {
    scene.blockCursorInside = false;
    Timer1->stop();
  }
  ShowBlockMode();
}

void TFEditorDeObjetos1::ShowBlockMode() {
  for (TSBM* b : keyButtons)
    if (b->Caption() == "F11") b->setDown(BlockMode());
  UpdateStatusLine();
}
