// Mouse editing on the drawing panel: picking and selecting, adding from the
// template, dragging elements or the camera, and the block mode.
#include <QGuiApplication>
#include <QLineEdit>
#include <QStyleHints>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "common/NumberText.h"
#include "controls/TMPanel.h"
#include "controls/TMulfig.h"
#include "document/EditSteps.h"
#include "gl/Camera.h"
#include "gl/GLView.h"
#include "gl/Picking.h"
#include "gl/VectorOps.h"

namespace {
double NowInDays() {
  using namespace std::chrono;
  return duration<double>(steady_clock::now().time_since_epoch()).count() / 86400.0;
}
}  // namespace

QPoint TFEditorDeObjetos1::PointerInPanel() const { return Tela1->PointerPixel(); }

bool TFEditorDeObjetos1::DoublePress(Qt::MouseButton button, int x, int y, bool byKey) {
  const double now = NowInDays();
  const double ms = std::min(now - lastPressTime, 1.0) * 24 * 60 * 60 * 1000;
  // The platform's double click: the same button on the same spot, soon
  // after. A click sent from the keyboard never pairs, nor does the press
  // after it.
  const int near = qRound(QGuiApplication::styleHints()->mouseDoubleClickDistance() * Tela1->PixelRatio());
  const bool pair = !byKey && button == lastPressButton && ms < QGuiApplication::styleHints()->mouseDoubleClickInterval() &&
                    std::abs(x - lastPressAt.x()) <= near && std::abs(y - lastPressAt.y()) <= near;
  // A pair is used up: a third press starts afresh.
  lastPressTime = pair || byKey ? 0 : now;
  lastPressButton = button;
  lastPressAt = QPoint(x, y);
  return pair;
}

bool TFEditorDeObjetos1::DragSelectionStep(MoveMode mode, EditAxis axis, const DragMovement& d) {
  bool changed = false;
  int32_t last = -1;
  for (int32_t k = 0; k < doc.SelectionCount(); ++k) {
    const int32_t i = doc.SelectedIndex(k);
    if (i < 0 || i >= doc.Count()) continue;
    Element3D& e = doc.Element(i);
    const Element3D before = e;
    ApplyDragStep(e, mode, axis, d, doc.editStep);
    changed = changed || std::memcmp(&before, &e, sizeof e) != 0;
    last = i;
  }
  // The press kept the document as it was: its first change is the step.
  if (changed) doc.CommitPreparedUndo(StepOfMoveMode(mode));
  // One frame for the whole selection: the picture is that of the last step.
  Redraw();
  if (last >= 0) ShowAngles(last);
  return changed;
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

void TFEditorDeObjetos1::Tela1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y,
                                        bool byKey) {
  FocusTela1();
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

  if (elementDragging) {
    if (Mulfig1->Valor() == 0 && doc.SelectionCount() > 0) {
      DragMovement d;
      const double* s = doc.editStep;
      const auto axis = static_cast<EditAxis>(MEixo1->Valor());
      if (axis == kAxisXZ) {
        double p[3];
        PickGround(x, y, p);
        double q[3];
        for (int i = 0; i < 3; ++i) q[i] = Snap(p[i], s[i]) - s[i];
        d = {q[0] - dragPoint[0], q[1] - dragPoint[1], q[2] - dragPoint[2]};
        for (int i = 0; i < 3; ++i) dragPoint[i] = q[i];
      } else {
        int x0, y0, x1, y1, x2, y2, x3, y3;
        ProjectPoint(*view, view->OrthoMin[0], 0, 0, x0, y0);
        ProjectPoint(*view, view->OrthoMax[0], 0, 0, x1, y1);
        ProjectPoint(*view, 0, view->OrthoMin[1], 0, x2, y2);
        ProjectPoint(*view, 0, view->OrthoMax[1], 0, x3, y3);
        const int ax = std::abs(x1 - x0), ay = std::abs(y3 - y2);
        if (ax == 0 && ay == 0) return;  // the axes have no extent on screen
        const double kx = ax != 0 ? 20.0 / ax : 20.0 / ay;
        const double ky = ay != 0 ? 20.0 / ay : 20.0 / ax;
        d.mx = Snap((pressX - x) * kx, s[0]);
        d.my = Snap((pressY - y) * ky, s[1]);
        d.mz = Snap((pressY - y) * ky, s[2]);
        if (d.mx != 0 || d.my != 0 || d.mz != 0) pressX = x, pressY = y;
      }
      DragSelectionStep(static_cast<MoveMode>(MMovimento1->Valor()), axis, d);
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
