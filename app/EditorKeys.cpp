// The single-key commands. The window previews every key; the tool-strip
// buttons send their captions through the same handler.
#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QListView>
#include <QTimer>
#include <cmath>

#include "CommandRunner.h"
#include "EditorCommands.h"
#include "KeyCodes.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "ViewNavigation.h"
#include "common/Latin1.h"
#include "controls/TAtlEdit.h"
#include "controls/TMulfig.h"
#include "controls/TZSpinEdit.h"
#include "document/ArrowDirections.h"
#include "document/EditSteps.h"
#include "document/PivotTurn.h"
#include "gl/Camera.h"
#include "gl/CameraMoves.h"
#include "gl/GLView.h"
#include "gl/VectorOps.h"
#include "gl/ViewPresets.h"

bool TFEditorDeObjetos1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip && watched == Mulfig1) return PaletteToolTip(event);
  if (event->type() == QEvent::MouseButtonRelease && watched == Lista1->viewport()) {
    if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) Lista1DblClick();
    return false;
  }
  // Key preview: the first delivery of a key to a widget of this window.
  if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget() && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this) {
    auto* key = static_cast<QKeyEvent*>(event);
    const int code = WindowsKeyCode(key->key(), key->modifiers());
    // Shift+Tab switches snapping in the view; with Ctrl, Tab and Shift+Tab
    // walk the focus on from the view as they do from any other control.
    if (code == vk::Tab && watched == Tela1 && (key->modifiers() & Qt::ControlModifier)) {
      focusNextPrevChild(!(key->modifiers() & Qt::ShiftModifier) && key->key() != Qt::Key_Backtab);
      return true;
    }
    if (code != 0) FormKeyDown(code, key->modifiers());
    // A Tab the view acts on does not also walk the focus.
    if (code == vk::Tab && watched == Tela1 && FindKeyCommand(code, key->modifiers())) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TFEditorDeObjetos1::SendKeyName(const std::string& text) {
  const std::string t = Latin1Upper(Trim(text));
  if (t.empty()) return;
  static const struct {
    const char* name;
    int code;
  } kNames[] = {{"F11", vk::F11},   {"F5", vk::F5},       {"F6", vk::F6},      {"F7", vk::F7},
                {"+", vk::Add},     {"-", vk::Subtract},  {"UP", vk::Up},      {"DOWN", vk::Down},
                {"LEFT", vk::Left}, {"RIGHT", vk::Right}, {"ESC", vk::Escape}, {"HOME", '0'}};
  int code = static_cast<unsigned char>(t[0]);
  for (const auto& n : kNames)
    if (t == n.name) code = n.code;
  // A button acts like its key: on the view, after what was typed in a box
  // is applied (or discarded, and said so).
  Commands().SettleTypedValues();
  FocusTela1();
  SendKey(code);
}

void TFEditorDeObjetos1::SendKey(int code) {
  if (code == 0) return;
  // A button of the strip pressed from the keyboard holds the focus; its
  // key acts on the view as it does when clicked.
  FocusTela1();
  FormKeyDown(code, Qt::NoModifier);
}

void TFEditorDeObjetos1::MoveCameraAlongSight(double sign) {
  // + comes a wheel notch's share of the way to the centre; - backs away as
  // far, so the two undo each other.
  if (navigation_) navigation_->MoveAlongSight(sign);
}

void TFEditorDeObjetos1::FormKeyDown(int key, Qt::KeyboardModifiers shift) {
  // Keys act only while the drawing panel has the focus (and the first
  // angle editor does not).
  QWidget* focus = QApplication::focusWidget();
  if (focus != Tela1 || EAxy->isAncestorOf(focus) || focus == EAxy) return;
  // Only the keys of the command table act (what the key list shows is
  // what works), each through the one runner.
  const EditorCommand* command = FindKeyCommand(key, shift);
  if (command == nullptr || command->handler == nullptr) {
    DrawScene();
    return;
  }
  Commands().RunKey(*command, key, shift);
}

void TFEditorDeObjetos1::ClassicKey(int key, Qt::KeyboardModifiers shift) {
  switch (key) {
    case vk::Enter:
      if (Lista1->currentIndex().isValid()) {
        try {
          Lista1DblClick();
        } catch (...) {
          // A fault in the dialog leaves the document as it was.
        }
        return;
      }
      ClickAtPointer();
      break;
    case vk::Space:
    case vk::Insert:
      ClickAtPointer();
      break;
    case vk::Home:
    case '0':
      DefaultCamera();
      FocusTela1();
      break;
    case vk::Left:
    case vk::Right:
    case vk::Up:
    case vk::Down:
      ArrowKey(key, shift);
      return;
    case '1':
    case '2':
    case '3':
    case '4':
      Mulfig2->setValor(key - '1');
      Mulfig2DepoisSeleciona();
      break;
    case 'G':
      MMovimento1->setValor(kMove);
      MMovimento1->repaint();
      break;
    case 'S':
      MMovimento1->setValor(kResize);
      MMovimento1->repaint();
      break;
    case 'R':
      MMovimento1->setValor(kTurn);
      MMovimento1->repaint();
      break;
    case 'Y':
    case 'X':
      MEixo1->setValor(key == 'X' ? kAxisX : kAxisY);
      MEixo1->repaint();
      break;
    case 'Z':
      MEixo1->setValor(kAxisZ);
      MEixo1->repaint();
      break;
    case vk::Add:
    case vk::Subtract:
    case vk::OemPlus:  // a laptop has no keypad: the main keyboard zooms too
    case vk::OemMinus:
      MoveCameraAlongSight(key == vk::Add || key == vk::OemPlus ? -1 : 1);
      break;
    case vk::F5:
    case vk::F6:
    case vk::F7:
      Mulfig1->setValor(key - vk::F5 + 1);
      Mulfig1DepoisSeleciona();
      ClickAtPointer();
      break;
    case vk::F9:
      AddBlockAtPointer();
      break;
    case vk::F10:
      SetBlockMode(false);
      Redraw();
      break;
    case vk::F11:
      // The same key leaves the mode it entered.
      SetBlockMode(!BlockMode());
      if (!BlockMode()) Redraw();
      break;
    default:
      break;
  }
  DrawScene();
}

void TFEditorDeObjetos1::ArrowKey(int key, Qt::KeyboardModifiers shift) {
  const bool horizontal = key == vk::Left || key == vk::Right;
  double sign;
  int screenAxis;
  if (horizontal) {
    sign = key == vk::Right ? screenSignH : -screenSignH;
    screenAxis = screenAxisH;
  } else {
    sign = key == vk::Up ? screenSignV : -screenSignV;
    screenAxis = screenAxisV;
  }
  const double s = doc.editStep[1];
  const int axisValue = MEixo1->Valor();
  const int a = axisValue == kAxisXZ ? screenAxis : axisValue;

  if (shift.testFlag(Qt::ShiftModifier)) {
    const QPoint delta = horizontal ? QPoint(key == vk::Right ? 10 : -10, 0) : QPoint(0, key == vk::Down ? 10 : -10);
    QCursor::setPos(QCursor::pos() + delta);
    return;
  }
  const bool alt = shift.testFlag(Qt::AltModifier), ctrl = shift.testFlag(Qt::ControlModifier);
  if (horizontal && alt) {
    view->Center[2] += sign * s;
    view->Eye[2] += sign * s;
    DrawScene();
    return;
  }
  if (horizontal && ctrl) {
    const int c = axisValue == kAxisXZ && a == 2 ? 2 : 0;
    view->Center[c] += sign * s;
    view->Eye[c] += sign * s;
    DrawScene();
    return;
  }
  if (!horizontal && (ctrl || alt)) {
    view->Center[1] += sign * s;
    view->Eye[1] += sign * s;
    DrawScene();
    return;
  }
  const bool onTemplate = Mulfig1->Valor() > 0;
  if (!onTemplate && doc.SelectionCount() == 0) {
    const double k = (key == vk::Right || key == vk::Up) ? 1 : -1;
    if (horizontal) {
      OrbitView(5 * k);
    } else {
      double sight[3] = {view->Eye[0] - view->Center[0], view->Eye[1] - view->Center[1],
                         view->Eye[2] - view->Center[2]};
      double axis[3];
      CrossProduct(view->Up, sight, axis);
      RotateCamera(*view, axis, 5 * k);
    }
    DrawScene();
    UpdateScreenAxes();
    return;
  }
  doc.PushUndo();
  const auto mode = static_cast<MoveMode>(MMovimento1->Valor());
  // The picture follows the arrow where the target stands: the axes are
  // read on the screen there (in perspective they slant across the view).
  const Arrow arrow = key == vk::Left    ? Arrow::Left
                      : key == vk::Right ? Arrow::Right
                      : key == vk::Up    ? Arrow::Up
                                         : Arrow::Down;
  const Element3D& lead = onTemplate ? doc.templ : doc.Element(doc.SelectedIndex(doc.SelectionCount() - 1));
  const double at[3] = {lead.x, lead.y, lead.z};
  const AxesOnScreen axes = AxesOnScreenAt(at);
  const FloorAxes floor = FloorAxesOnScreen(axes);
  const int target = axisValue == kAxisXZ ? (horizontal ? floor.h : floor.v) : axisValue;
  const double forward = key == vk::Right || key == vk::Up ? 1 : -1;
  double change = forward * (horizontal ? floor.signH : floor.signV);  // a turn keeps the floor's signs
  bool vertical = !horizontal;
  if (mode == kMove) {
    // Already the world's way: no flip for y.
    if (axisValue != kAxisXZ) change = ArrowSign(axes, target, arrow);
    vertical = false;
  } else if (mode == kResize) {
    // The face on the arrow's side goes the arrow's way: Right and Up grow.
    change = forward;
    vertical = false;
  }
  auto step = [&](Element3D& e) { ApplyArrowStep(e, mode, static_cast<EditAxis>(target), vertical, change, s); };
  if (onTemplate) {
    step(doc.templ);
  } else {
    // About the common pivot the centres turn with the angles, around the
    // selection's box as it was before the key.
    const bool aboutPivot = mode == kTurn && assembly_.commonPivot;
    double pivot[3] = {0, 0, 0};
    if (aboutPivot) {
      PivotBox box;
      for (int32_t k = 0; k < doc.SelectionCount(); ++k) {
        const int32_t i = doc.SelectedIndex(k);
        if (i >= 0 && i < doc.Count()) box.Add(doc.Element(i));
      }
      box.Centre(pivot);
    }
    for (int32_t k = 0; k < doc.SelectionCount(); ++k) {
      const int32_t i = doc.SelectedIndex(k);
      if (i < 0 || i >= doc.Count()) continue;
      Element3D& e = doc.Element(i);
      const Element3D before = e;
      step(e);
      if (aboutPivot) e = TurnedAboutPivot(before, e, pivot);
    }
    if (doc.SelectionCount() > 0) ShowAngles(doc.SelectedIndex(doc.SelectionCount() - 1));
  }
  // One frame for all targets: the picture is that of the last step.
  Redraw();
}
