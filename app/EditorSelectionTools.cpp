// Selecting by a rectangle, framing and panning with the middle button:
// tools the command table adds to the classic keys.
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "BoxSelection.h"
#include "ExactValueBoxes.h"
#include "KeysWindow.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "ViewNavigation.h"
#include "controls/TMulfig.h"
#include "document/EditSteps.h"
#include "document/SelectionTools.h"
#include "gl/CameraMoves.h"
#include "gl/GLView.h"
#include "gl/Picking.h"
#include "gl/VectorOps.h"

namespace {}  // namespace

void TFEditorDeObjetos1::AfterSelectionTool() {
  SyncElementList();
  if (doc.currentIndex >= 0 && doc.currentIndex < doc.Count()) ShowInPanel(doc.Element(doc.currentIndex));
  Redraw();
  UpdateStatusLine();
  UpdateModeHint();
}

void TFEditorDeObjetos1::FrameSelection() {
  Bounds b;
  if (!navigation_ || !FramingBounds(doc, &b)) return;
  navigation_->Frame(b.min, b.max);
  DrawScene();
  UpdateScreenAxes();
}

void TFEditorDeObjetos1::PanFollowingPointer(int x, int y) {
  const int dx = x - lastMouseX, dy = y - lastMouseY;
  lastMouseX = x, lastMouseY = y;
  if (navigation_ && navigation_->Pan(dx, dy)) DrawScene();
}

bool TFEditorDeObjetos1::SelectionToolMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
  if (button == Qt::MiddleButton) {
    panning_ = true;
    lastMouseX = x, lastMouseY = y;
    return true;
  }
  const bool armed = box_->Armed();
  if (box_->Press(button == Qt::LeftButton, x, y)) return true;
  if (armed) UpdateModeHint();  // another press disarmed it
  return false;
}

bool TFEditorDeObjetos1::SelectionToolMouseMove(int x, int y) {
  if (panning_) {
    PanFollowingPointer(x, y);
    return true;
  }
  if (box_->Drawing()) {
    box_->Follow(x, y);
    return true;
  }
  UpdateModeHint();  // the palette or the block mode may have changed under the pointer
  return false;
}

bool TFEditorDeObjetos1::SelectionToolMouseUp(Qt::KeyboardModifiers shift, int x, int y) {
  if (panning_) {
    PanFollowingPointer(x, y);  // a move the window merged into the release still counts
    panning_ = false;
    return true;
  }
  if (!box_->Drawing()) return false;
  const QRect area = box_->Release(x, y);
  UpdateModeHint();
  if (!shift.testFlag(Qt::ShiftModifier)) ClearSelection();
  const std::vector<bool> selected = doc.SelectionMask();
  for (int32_t i = 0; i < doc.Count(); ++i) {
    if (doc.IsInvisible(i) || selected[static_cast<size_t>(i)]) continue;
    const Element3D& e = doc.Element(i);
    int px = 0, py = 0;
    ProjectPoint(*view, e.x, e.y, e.z, px, py);
    if (area.contains(px, py)) doc.SelectElement(i);
  }
  AfterSelectionTool();
  return true;
}

void TFEditorDeObjetos1::ArmBoxSelection() { box_->Arm(); }

void TFEditorDeObjetos1::DisarmBoxSelection() {
  box_->Disarm();
  UpdateModeHint();
}

void TFEditorDeObjetos1::ShowKeysWindow() {
  if (!keysWindow_) keysWindow_ = new KeysWindow(this);
  keysWindow_->Fill();
  keysWindow_->show();
  keysWindow_->raise();
  keysWindow_->activateWindow();
}
