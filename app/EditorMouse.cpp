// Mouse editing on the drawing panel: picking and selecting, adding from the
// template, dragging elements or the camera, and the block mode.
#include <QGuiApplication>
#include <QLineEdit>
#include <QStyleHints>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "EditorCommands.h"
#include "SnapSetting.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "common/Dictionary.h"
#include "common/NumberText.h"
#include "controls/TMPanel.h"
#include "controls/TMulfig.h"
#include "document/EditSteps.h"
#include "document/ElementBox.h"
#include "document/ElementSanity.h"
#include "document/GrabGeometry.h"
#include "document/PivotTurn.h"
#include "gl/Camera.h"
#include "gl/CameraMoves.h"
#include "gl/GLView.h"
#include "gl/Picking.h"
#include "gl/VectorOps.h"

QPoint TFEditorDeObjetos1::PointerInPanel() const { return Tela1->PointerPixel(); }

bool TFEditorDeObjetos1::DoublePress(Qt::MouseButton button, int x, int y, bool byKey) {
  // The platform's double click: the same button on the same spot, soon
  // after, as the events' own times tell (a loaded machine handling the
  // first press slowly does not split a pair). A click sent from the
  // keyboard never pairs, nor does the press after it.
  const ulong now = Tela1->PressTime();
  const auto ms = static_cast<quint32>(now - lastPressTime);  // the display's clock wraps at 32 bits
  const int near = qRound(QGuiApplication::styleHints()->mouseDoubleClickDistance() * Tela1->PixelRatio());
  const bool pair = !byKey && button == lastPressButton &&
                    ms < static_cast<quint32>(QGuiApplication::styleHints()->mouseDoubleClickInterval()) &&
                    std::abs(x - lastPressAt.x()) <= near && std::abs(y - lastPressAt.y()) <= near;
  // A pair is used up: a third press starts afresh.
  lastPressTime = now;
  lastPressButton = pair || byKey ? Qt::NoButton : button;
  lastPressAt = QPoint(x, y);
  return pair;
}

bool TFEditorDeObjetos1::DragSelectionStep(MoveMode mode, EditAxis axis, const GrabTravel& travel) {
  bool changed = false;
  int32_t last = -1;
  SnappedGrab grab;
  grab.travel = travel;
  for (int a = 0; a < 3; ++a) grab.step[a] = doc.editStep[a];
  if (snapping_) grab = SnapGrab(grabRecords_, mode, axis, travel, grabSides_, doc.editStep, snapTargets_, snapReach_);
  // The box snapped to is outlined while the button is held.
  scene.snapShown = false;
  for (int a = 0; a < 3 && !scene.snapShown; ++a)
    if (grab.hit.snapped[a]) {
      const SnapBox& b = snapTargets_[static_cast<size_t>(grab.hit.target[a])];
      scene.snapShown = true;
      for (int k = 0; k < 3; ++k) scene.snapLo[k] = b.lo[k], scene.snapHi[k] = b.hi[k];
    }
  // About the common pivot, the centres turn with the angles around the
  // selection's box as it was at the press.
  const bool aboutPivot = mode == kTurn && assembly_.commonPivot;
  double pivot[3] = {0, 0, 0};
  if (aboutPivot) {
    PivotBox box;
    for (const auto& record : grabRecords_) box.Add(record.second);
    box.Centre(pivot);
  }
  for (const auto& [i, atPress] : grabRecords_) {
    if (i < 0 || i >= doc.Count()) continue;
    Element3D& e = doc.Element(i);
    Element3D next = GrabbedElement(atPress, mode, axis, grab.travel, grabSides_, grab.step);
    if (aboutPivot) next = TurnedAboutPivot(atPress, next, pivot);
    changed = changed || std::memcmp(&next, &e, sizeof e) != 0;
    e = next;
    last = i;
  }
  // The press kept the document as it was: its first change is the step.
  if (changed) doc.CommitPreparedUndo(StepOfMoveMode(mode));
  // One frame for the whole selection: the picture is that of the last step.
  Redraw();
  if (last >= 0) ShowAngles(last);
  return changed;
}

namespace {
// A turn's pace: half a degree for each pixel of the desktop.
constexpr double kDegreesPerPixel = 0.5;
// How near, in desktop pixels, a face must come to snap; along an axis
// running nearly toward the viewer, at most this many times what 8 pixels
// across the screen reach.
constexpr double kSnapPixels = 8, kSnapFarthestShare = 4;

// +1 when turning the pressed element the positive way about `turnAxis`
// carries its side facing the viewer to the right on the screen, else -1:
// a pointer moving right then drags that side along.
double TurnSign(const GLView& v, int turnAxis, const double point[3], const Element3D& e) {
  double forward[3] = {v.Center[0] - v.Eye[0], v.Center[1] - v.Eye[1], v.Center[2] - v.Eye[2]};
  double right[3];
  Normalize(forward);
  CrossProduct(forward, v.Up, right);
  // The pressed point, pulled toward the viewer so that a press at the
  // middle of a face still has a side to carry.
  const double reach = std::max({std::fabs(+e.dx), std::fabs(+e.dy), std::fabs(+e.dz), 1.0});
  const double r[3] = {point[0] - e.x - forward[0] * reach, point[1] - e.y - forward[1] * reach,
                       point[2] - e.z - forward[2] * reach};
  double n[3] = {0, 0, 0};
  n[turnAxis] = 1;
  double carried[3];
  CrossProduct(n, r, carried);
  return carried[0] * right[0] + carried[1] * right[1] + carried[2] * right[2] < 0 ? -1 : 1;
}
}  // namespace

bool TFEditorDeObjetos1::GrabTravelTo(int x, int y, MoveMode mode, EditAxis axis, GrabTravel& travel) {
  if (grabRecords_.empty()) return false;
  if (mode == kTurn) {
    // The fields turn about: axy about z, axz about y, ayz about x.
    const int turnAxis = axis == kAxisX ? 2 : axis == kAxisZ ? 1 : 0;
    travel.degrees = TurnSign(*view, turnAxis, grabPoint_, grabRecords_.front().second) * kDegreesPerPixel *
                     (x - pressX) / Tela1->PixelRatio();
    return true;
  }
  double origin[3], direction[3];
  bool ray = false;
  Tela1->WithContext([&] { ray = PixelRay(*view, x, y, origin, direction); });
  if (!ray) return false;
  if (axis == kAxisXZ) {
    // On the level of the pressed point, which so stays under the pointer.
    double hit[3];
    if (!RayMeetsLevel(origin, direction, grabPoint_[1], kFarthestZoom, hit)) return false;
    travel.along[0] = hit[0] - grabPoint_[0];
    travel.along[2] = hit[2] - grabPoint_[2];
    return true;
  }
  double t = 0;
  if (!TravelAlongAxis(grabPoint_, axis, origin, direction, t) || std::fabs(t) > kFarthestZoom) return false;
  travel.along[axis] = t;
  return true;
}

void TFEditorDeObjetos1::Mulfig1DepoisSeleciona() {
  if (Mulfig1->Valor() > 0) {
    ClearSelection();
    Redraw();
    doc.ResetTemplateForKind(Mulfig1->Valor() - 1, PCor1->Color(), SelectedTextureText());
  } else if (scene.palette > 0) {
    Redraw();  // the last frame still shows the element that was to be added
  }
  FocusTela1();
}

int32_t TFEditorDeObjetos1::AppendFromTemplate() {
  const int32_t index = doc.AppendFromTemplate();
  Mulfig1->setValor(0);
  SyncElementList();
  return index;
}

void TFEditorDeObjetos1::Tela1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y, bool byKey) {
  FocusTela1();
  // A click places a duplicate that follows the pointer, and does no more.
  if (assembly_.following) {
    StopFollowing(false);
    return;
  }
  if (DoublePress(button, x, y, byKey)) {
    Lista1DblClick();
    return;
  }
  bool emptySpace = false;
  if (button == Qt::LeftButton) {
    if (Timer1->isActive()) {
      AddBlockAtPointer();
      return;
    }
    if (Mulfig1->Valor() > 0) {
      doc.PushUndo(StepName::Add);
      const int32_t index = AppendFromTemplate();
      ClearSelection();
      SelectElement(index);
      Redraw();
      return;
    }
    double p[3];
    PickAtPixel(x, y, p);
    pressX = x, pressY = y;
    for (int i = 0; i < 3; ++i) dragPoint[i] = Snap(p[i], doc.editStep[i]);
    const int32_t hit = doc.FindElementAt(p[0], p[1], p[2]);
    if (hit >= 0) doc.PrepareUndo();  // the drag that may follow undoes in one step
    if (!doc.IsSelected(hit)) {
      if (!shift.testFlag(Qt::ShiftModifier)) ClearSelection();
      if (hit >= 0) SelectElement(hit);
    }
    grabRecords_.clear();
    if (hit >= 0) {
      // The pressed element first: its side and its turn lead the drag.
      for (int i = 0; i < 3; ++i) grabPoint_[i] = p[i];
      grabSides_ = SidesOfPress(doc.Element(hit), p);
      grabRecords_.emplace_back(hit, doc.Element(hit));
      for (int32_t k = 0; k < doc.SelectionCount(); ++k) {
        const int32_t i = doc.SelectedIndex(k);
        if (i != hit && i >= 0 && i < doc.Count()) grabRecords_.emplace_back(i, doc.Element(i));
      }
      GatherSnapTargets();
    }
    emptySpace = hit < 0;
    if (!emptySpace) elementDragging = true;
    Redraw();
  }
  pressX = x, pressY = y;
  dragStartX = x, dragStartY = y;
  lastMouseX = x, lastMouseY = y;
  viewDragging = button == Qt::RightButton || (button == Qt::LeftButton && emptySpace);
}

void TFEditorDeObjetos1::Tela1MouseMove(Qt::KeyboardModifiers shift, int x, int y) {
  TrackPointer(x, y);
  UpdateStatusLine();
  if (viewDragging) {
    if (shift.testFlag(Qt::ControlModifier)) {
      double step = doc.editStep[0] * 0.5;
      if (lastMouseX < x) step = -step;
      if (x != lastMouseX) {
        const int a = screenAxisH == 2 ? 2 : 0;
        view->Center[a] += screenSignH * step;
        view->Eye[a] += screenSignH * step;
      }
      step = doc.editStep[1] * 0.5;
      if (y < lastMouseY) step = -step;
      if (y != lastMouseY) {
        const int a = screenAxisV == 2 ? 2 : 0;
        view->Center[a] += screenSignV * step;
        view->Eye[a] += screenSignV * step;
      }
    } else {
      if (x != lastMouseX) {
        // A degree per pixel of the desktop, whatever its scale.
        OrbitCamera(*view, 0, (lastMouseX - x) / Tela1->PixelRatio(), 0);
        UpdateScreenAxes();
      }
      if (y != lastMouseY) {
        double sight[3] = {view->Eye[0] - view->Center[0], view->Eye[1] - view->Center[1],
                           view->Eye[2] - view->Center[2]};
        double axis[3];
        CrossProduct(view->Up, sight, axis);
        RotateCamera(*view, axis, (y - lastMouseY) / Tela1->PixelRatio());
        UpdateScreenAxes();
      }
    }
    lastMouseX = x, lastMouseY = y;
    DrawScene();  // camera only: the compiled scene is replayed
    return;
  }

  if (assembly_.following) {
    FollowPointer(x, y);
    return;
  }
  if (elementDragging) {
    if (Mulfig1->Valor() == 0 && doc.SelectionCount() > 0) {
      const auto mode = static_cast<MoveMode>(MMovimento1->Valor());
      const auto axis = static_cast<EditAxis>(MEixo1->Valor());
      GrabTravel travel;
      if (GrabTravelTo(x, y, mode, axis, travel)) DragSelectionStep(mode, axis, travel);
    }
  } else if (Mulfig1->Valor() > 0) {
    double p[3];
    PickGround(x, y, p);
    doc.templ.x = Snap(p[0], doc.editStep[0]);
    doc.templ.z = Snap(p[2], doc.editStep[2]);
    Redraw();
    Edit1->setText(QString::fromStdString(FormatGeneral(p[0])));
    Edit2->setText(QString::fromStdString(FormatGeneral(p[1])));
    Edit3->setText(QString::fromStdString(FormatGeneral(p[2])));
  }
  if (Timer1->isActive()) Timer1Timer();
}

void TFEditorDeObjetos1::Tela1MouseUp() {
  if (viewDragging) Tela1->MovePointerTo(QPoint(dragStartX, dragStartY));
  doc.DropPreparedUndo();  // a press that changed nothing is no step
  elementDragging = false;
  viewDragging = false;
  grabRecords_.clear();
  snapTargets_.clear();
  if (scene.snapShown) {
    scene.snapShown = false;
    Redraw();
  }
}

void TFEditorDeObjetos1::GatherSnapTargets() {
  snapTargets_.clear();
  for (double& r : snapReach_) r = 0;
  if (!snapping_) return;
  std::vector<bool> carried(static_cast<size_t>(doc.Count()), false);
  for (const auto& [i, atPress] : grabRecords_)
    if (i >= 0 && i < doc.Count()) carried[static_cast<size_t>(i)] = true;
  for (int32_t i = 0; i < doc.Count(); ++i) {
    if (carried[static_cast<size_t>(i)] || doc.IsInvisible(i) || !IsDrawableElement(doc.Element(i))) continue;
    SnapBox b;
    TurnedBox(doc.Element(i), b.lo, b.hi);
    snapTargets_.push_back(b);
  }
  // How many pixels a unit along each axis crosses on the screen at the
  // pressed point (the camera stays put while the button is held), and a
  // unit across the screen there, which bounds an axis that runs almost
  // toward the viewer.
  auto pixelsAlong = [this](const double d[3]) {
    const double to[3] = {grabPoint_[0] + d[0], grabPoint_[1] + d[1], grabPoint_[2] + d[2]};
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (!ProjectToPixel(*view, grabPoint_, x0, y0) || !ProjectToPixel(*view, to, x1, y1)) return 0.0;
    return std::hypot(x1 - x0, y1 - y0);
  };
  double forward[3] = {view->Center[0] - view->Eye[0], view->Center[1] - view->Eye[1], view->Center[2] - view->Eye[2]};
  double right[3];
  Normalize(forward);
  CrossProduct(forward, view->Up, right);
  Normalize(right);
  const double across = pixelsAlong(right);
  if (!(across > 0)) return;
  const double pixels = kSnapPixels * Tela1->PixelRatio();
  for (int a = 0; a < 3; ++a) {
    const double unit[3] = {a == 0 ? 1.0 : 0.0, a == 1 ? 1.0 : 0.0, a == 2 ? 1.0 : 0.0};
    snapReach_[a] = std::min(pixels / std::max(pixelsAlong(unit), 1e-9), kSnapFarthestShare * pixels / across);
  }
}

void TFEditorDeObjetos1::ToggleSnapping(CommandCall& call) {
  snapping_ = !snapping_;
  RememberSnapping(snapping_);
  call.report = snapping_ ? Choose("Encaixe ligado", "Snapping on") : Choose("Encaixe desligado", "Snapping off");
}

void TFEditorDeObjetos1::BlockCellAtPointer(double cell[3], bool* inside) {
  const QPoint p = PointerInPanel();
  if (inside) *inside = p.x() >= 1 && p.x() <= Tela1->Width() - 1 && p.y() >= 1 && p.y() <= Tela1->Height() - 1;
  double g[3];
  PickGround(p.x(), p.y(), g);
  for (int i = 0; i < 3; ++i) cell[i] = Snap(g[i], scene.blockSize[i]);
  // The cell stands on the floor, as its cursor is drawn: a block's centre
  // is half a block above the lattice point.
  cell[1] += scene.blockSize[1] / 2;
  // Then on top of whatever the cell falls inside (the blocks of older
  // documents stand half sunk, centred on the floor, and stack the same
  // way). A size that does not lift the cell stops the stacking.
  for (int32_t guard = 0; guard <= doc.Count(); ++guard) {
    const int32_t e = doc.FindElementInCell(cell[0], cell[1], cell[2]);
    if (e < 0) break;
    const Element3D& below = doc.Element(e);
    const double above = below.y + std::fabs(below.dy) / 2 + scene.blockSize[1] / 2;
    if (!(above > cell[1])) break;
    cell[1] = above;
  }
}

void TFEditorDeObjetos1::UpdateBlockCursor() { BlockCellAtPointer(scene.blockCursor, &scene.blockCursorInside); }

void TFEditorDeObjetos1::Timer1Timer() {
  // The timer keeps running through the tick (its running is the block
  // mode, which the frame's status line shows); start() below only begins
  // the next interval afresh.
  double before[3] = {scene.blockCursor[0], scene.blockCursor[1], scene.blockCursor[2]};
  UpdateBlockCursor();
  if (scene.blockCursorInside != blockCursorShown || before[0] != scene.blockCursor[0] ||
      before[1] != scene.blockCursor[1] || before[2] != scene.blockCursor[2])
    Redraw();
  scene.blockCursorInside = blockCursorShown;
  Timer1->start();
}

void TFEditorDeObjetos1::AddBlockAtPointer() {
  double c[3];
  bool inside = false;
  BlockCellAtPointer(c, &inside);
  // A key (or a click sent from the keyboard) with the pointer away from
  // the view has no place to put a block.
  if (!inside) return;
  doc.PushUndo(StepName::Block);
  const QPoint p = PointerInPanel();
  pressX = p.x(), pressY = p.y();
  ClearSelection();
  Redraw();
  doc.ResetTemplateForBlock(scene.blockSize, c, PCor1->Color(), SelectedTextureText());
  const int32_t index = AppendFromTemplate();
  doc.templ.x = c[0], doc.templ.y = c[1], doc.templ.z = c[2];
  ClearSelection();
  SelectElement(index);
  Redraw();
}

void TFEditorDeObjetos1::ClickAtPointer() {
  const QPoint p = PointerInPanel();
  Tela1MouseDown(Qt::LeftButton, Qt::NoModifier, p.x(), p.y(), true);
  Tela1MouseUp();
}
