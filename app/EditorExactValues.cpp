// The position and size boxes of the tool strip, and decimals typed into
// the angle boxes: typed values written into the selection as one step.
#include <QLabel>
#include <QLineEdit>

#include "CommandRunner.h"
#include "ExactValueBoxes.h"
#include "TFEditorDeObjetos1.h"
#include "common/Dictionary.h"
#include "controls/MessageBoxes.h"
#include "controls/TAtlEdit.h"
#include "controls/TMulfig.h"
#include "controls/TZSpinEdit.h"

namespace {
constexpr int kExactRowTop = 34;
}

void TFEditorDeObjetos1::BuildExactValues() {
  ValoresExatos1 = new ExactValueBoxes(Panel1);
  ValoresExatos1->setFont(Panel1->font());
  ValoresExatos1->JoinWalk(EAxy->Edit(), ExactField::Axy);
  ValoresExatos1->JoinWalk(EAyz->Edit(), ExactField::Ayz);
  ValoresExatos1->JoinWalk(EAxz->Edit(), ExactField::Axz);
  ValoresExatos1->OnApply = [this](ExactField field, const std::string& text) { return ApplyExactValue(field, text); };
  ValoresExatos1->OnDone = [this] { FocusTela1(); };
  // Typing into the boxes is one command, one undo step, until the keys leave them.
  ValoresExatos1->OnWalkEnter = [this] { commands_->BeginEntry(CommandId::ExactEntry); };
  ValoresExatos1->OnWalkLeave = [this] { commands_->EndEntry(); };
  // A kind picked in the palette comes after what was typed in a box.
  Mulfig1->OnAntesSeleciona = [this](QObject*, bool&, int&) { commands_->SettleTypedValues(); };
}

void TFEditorDeObjetos1::PlaceExactValues() {
  if (!ValoresExatos1) return;
  ValoresExatos1->adjustSize();
  ValoresExatos1->move(Label10->x(), kExactRowTop);
}

ExactValueBoxes::Outcome TFEditorDeObjetos1::ApplyExactValue(ExactField field, const std::string& text) {
  switch (SetSelectedField(doc, field, text)) {
    case ExactEdit::Applied:
      Redraw();
      ShowAngles(doc.currentIndex);
      if (doc.currentIndex >= 0 && doc.currentIndex < doc.Count()) ShowExactValues(doc.Element(doc.currentIndex), true);
      return {true, false};
    case ExactEdit::Unchanged:
      return {true, false};
    case ExactEdit::NothingSelected:
      return {false, true};
    case ExactEdit::SizeNotPositive:
      ShowWarning(Choose("O tamanho deve ser maior que zero.", "The size must be greater than zero."));
      return {false, true};
    case ExactEdit::NotANumber:
      break;
  }
  return {false, false};
}

void TFEditorDeObjetos1::ShowExactValues(const Element3D& e, bool force) {
  if (ValoresExatos1) ValoresExatos1->ShowElement(e, force);
}

void TFEditorDeObjetos1::ForgetTypedValues() {
  if (ValoresExatos1) ValoresExatos1->RevertTyped();
}

void TFEditorDeObjetos1::EnterExactValues() { ValoresExatos1->EnterFirstBox(); }
