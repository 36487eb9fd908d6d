// The property strip and the element list: selection kept in step with the
// list, the panel filled from the current element, each editor writing its
// value into the selected elements through the undoable setters.
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QListView>

#include <algorithm>
#include <cmath>
#include <vector>

#include "CommandRunner.h"
#include "ElementListModel.h"
#include "LatinText.h"
#include "TFE3DAtributos1.h"
#include "TFEditorDeObjetos1.h"
#include "document/SelectionTools.h"
#include "TGLPanel.h"
#include "common/Dictionary.h"
#include "common/Latin1.h"
#include "controls/TCorSeleciona.h"
#include "controls/TMPanel.h"
#include "controls/TSBM.h"
#include "controls/TZSpinEdit.h"
#include "document/NameSyntax.h"
#include "gl/GLView.h"
#include "gl/ViewContext.h"
#include "gl/Textures.h"

namespace {
// Shows an element's value in a whole-number box. Any double can come from
// a file, so the value is brought into the box's range before it becomes an
// integer; NaN has no place in it and leaves the box empty. Showing is no
// edit: nothing is written back.
void ShowNumber(TZSpinEdit* box, double value) {
  if (std::isnan(value)) {
    box->setText("");
    return;
  }
  const double inRange = std::clamp(value, double(box->MinValue()), double(box->MaxValue()));
  const auto n = static_cast<int32_t>(std::nearbyint(inRange));
  box->setValue(n);
  // An emptied box holding the same value gets its number back.
  if (box->Text() != std::to_string(n)) box->setText(std::to_string(n));
}
}  // namespace

void TFEditorDeObjetos1::SelectElement(int32_t i) {
  if (!doc.SelectElement(i)) return;
  if (i >= 0 && i < doc.Count()) ShowInPanel(doc.Element(i));
  HighlightListEntry(i);
}

void TFEditorDeObjetos1::ShowInPanel(const Element3D& e) {
  const FillingPanel filling(fillingPanel_);
  PCor1->setColor(e.color);
  ShowNumber(EChanfro1, e.chamfer * 37.037037037037);
  ShowNumber(ESuperior1, e.topPercent);
  ShowNumber(EAxy, e.axy);
  ShowNumber(EAyz, e.ayz);
  ShowNumber(EAxz, e.axz);
  int textureItem = 0;
  const std::string texture = Latin1Lower(e.texture.str());
  for (int k = 1; k < CTextura->count() && !texture.empty(); ++k)
    if (Latin1Lower(Latin(CTextura->itemText(k))) == texture) {
      textureItem = k;
      break;
    }
  CTextura->setCurrentIndex(textureItem);
  CInvisivel->setChecked(e.invisible != 0);
  ShowExactValues(e, true);
}

void TFEditorDeObjetos1::ClearSelection() {
  doc.ClearSelection();
  ForgetTypedValues();
  Lista1->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
  Lista1->clearSelection();
}

void TFEditorDeObjetos1::RebuildElementList() {
  elementRows_->Reset();
  MarkSelectedElements();
}

void TFEditorDeObjetos1::SyncElementList() {
  // The marks are made anew below; dropped first, they need no keeping in
  // step while rows come and go.
  Lista1->selectionModel()->clear();
  // Rows added or removed in one run are told as such; after any other
  // change the rows are reset, and the view stays where it was scrolled to.
  elementRows_->Follow();
  MarkSelectedElements();
}

void TFEditorDeObjetos1::MarkSelectedElements() {
  // Each selected element marks the first line of its name; the marks are
  // made in one selection change, which stays quick for large selections.
  int current = -1;
  const QItemSelection marks = elementRows_->Marks(doc.SelectionMask(), current);
  if (current < 0) return;
  Lista1->selectionModel()->select(marks, QItemSelectionModel::Select);
  Lista1->selectionModel()->setCurrentIndex(elementRows_->index(current), QItemSelectionModel::NoUpdate);
}

void TFEditorDeObjetos1::HighlightListEntry(int32_t i) {
  const int row = elementRows_->FirstRowOf(i);
  if (row < 0) return;
  const QModelIndex index = elementRows_->index(row);
  Lista1->selectionModel()->select(index, QItemSelectionModel::Select);
  Lista1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::Select);
  Lista1->viewport()->update();
}

void TFEditorDeObjetos1::ShowAngles(int32_t i) {
  if (i < 0 || i >= doc.Count()) return;
  const Element3D& e = doc.Element(i);
  const FillingPanel filling(fillingPanel_);
  ShowNumber(EAxy, e.axy);
  ShowNumber(EAyz, e.ayz);
  ShowNumber(EAxz, e.axz);
  ShowExactValues(e, false);
}

std::string TFEditorDeObjetos1::SelectedTextureText() const {
  return CTextura->currentIndex() > 0 ? Latin(CTextura->currentText()) : std::string();
}

// The strip's handlers run their edits as commands: one undo step each, and
// the window brought in step afterwards.
void TFEditorDeObjetos1::PCor1Click() { commands_->Run(CommandId::Color); }
void TFEditorDeObjetos1::CTexturaClick() { commands_->Run(CommandId::Texture); }
void TFEditorDeObjetos1::CInvisivelClick() { commands_->Run(CommandId::Visibility); }
void TFEditorDeObjetos1::EChanfro1ChangeUser() { commands_->Run(CommandId::Chamfer); }
void TFEditorDeObjetos1::ESuperior1ChangeUser() { commands_->Run(CommandId::TopSize); }
void TFEditorDeObjetos1::EAyzChangeUser() { commands_->Run(CommandId::Angles); }
void TFEditorDeObjetos1::Lista1DblClick() { commands_->Run(CommandId::Rename); }

void TFEditorDeObjetos1::ChooseColor() {
  cor1->setColor(PCor1->Color());
  if (cor1->Execute()) {
    PCor1->setColor(cor1->Color());
    doc.SetSelectedColor(cor1->Color());
  }
}

void TFEditorDeObjetos1::ApplyTexture() { doc.SetSelectedTexture(Latin(CTextura->currentText())); }

void TFEditorDeObjetos1::ApplyVisibility() {
  doc.SetSelectedInvisible(CInvisivel->isChecked());
  Lista1->viewport()->update();  // invisible elements are greyed in the list
}

void TFEditorDeObjetos1::ApplyChamfer() { doc.SetSelectedChamfer(SpinToChamfer(EChanfro1->Value())); }

void TFEditorDeObjetos1::ApplyTopSize() { doc.SetSelectedTopPercent(ESuperior1->Value()); }

void TFEditorDeObjetos1::ApplyAngles() { doc.SetSelectedAngles(EAxy->Value(), EAyz->Value(), EAxz->Value()); }

void TFEditorDeObjetos1::RefreshPanel(bool documentChanged) {
  int32_t shown = -1;
  if (doc.currentIndex >= 0 && doc.currentIndex < doc.Count() && doc.IsSelected(doc.currentIndex)) {
    shown = doc.currentIndex;
  } else {
    for (int32_t k = doc.SelectionCount() - 1; k >= 0 && shown < 0; --k)
      if (doc.SelectedIndex(k) >= 0 && doc.SelectedIndex(k) < doc.Count()) shown = doc.SelectedIndex(k);
  }
  if (shown >= 0) {
    doc.currentIndex = shown;
    ShowInPanel(doc.Element(shown));
  } else if (documentChanged) {
    // Nothing selected after an edit (an undo, a delete): what an element
    // removed or put back showed is gone; the strip shows what the next
    // element will be.
    ShowInPanel(doc.templ);
    if (ValoresExatos1) ValoresExatos1->ShowNothing();
  }
}

void TFEditorDeObjetos1::EAxzChange(TZSpinEdit* sender) {
  // Showing an element's angles is no edit: with the first angle shown and
  // the others still the previous element's, it would write a mix of both.
  if (fillingPanel_) return;
  commands_->RunInPlace(CommandId::Angles);
  sender->setPermiteEvento(false);
}

void TFEditorDeObjetos1::Lista1Click() {
  if (Lista1->currentIndex().isValid()) {
    // The rows' elements in row order, selected at once; the panel is
    // filled once, for the last row, and the first line of each name is
    // marked in one change: a thousand selected rows once refilled the
    // panel a thousand times.
    const int rows = std::min(elementRows_->rowCount(), doc.Count());
    std::vector<bool> picked(static_cast<size_t>(rows));
    for (const QItemSelectionRange& range : Lista1->selectionModel()->selection())
      for (int row = std::max(range.top(), 0); row <= range.bottom() && row < rows; ++row)
        picked[static_cast<size_t>(row)] = true;
    std::vector<int32_t> elements;
    for (int row = 0; row < rows; ++row)
      if (picked[static_cast<size_t>(row)]) elements.push_back(row);
    const int32_t shown = SelectOnly(doc, elements);
    if (shown >= 0) ShowInPanel(doc.Element(shown));
    int current = -1;
    const QItemSelection marks = elementRows_->Marks(doc.SelectionMask(), current);
    if (current >= 0) {
      Lista1->selectionModel()->select(marks, QItemSelectionModel::Select);
      Lista1->selectionModel()->setCurrentIndex(elementRows_->index(current), QItemSelectionModel::NoUpdate);
      Lista1->viewport()->update();
    }
  }
  Redraw();
  FocusTela1();
}

void TFEditorDeObjetos1::RenameListElement(CommandCall& call) {
  const int i = Lista1->currentIndex().row();
  if (i < 0 || i >= elementRows_->rowCount() || i >= doc.Count()) return;
  const std::string typed = EditElementName(doc.Element(i).name.str(), doc.Element(i), this);
  const std::string name = AcceptedNewName(doc.elements, typed);
  if (name.empty()) return;
  doc.PushUndo(StepName::Rename);
  doc.Element(i).name.assign(name);
  call.report = Choose("Renomeado: ", "Renamed: ") + doc.Element(i).name.str();
}

void TFEditorDeObjetos1::RecreateContext() {
  Tela1->WithContext([this] {
    ::DropSceneList(scene);
    CreateContext(*view, Tela1, Tela1->Width(), Tela1->Height());
    CreateTextures(*view, 8);
  });
}

void TFEditorDeObjetos1::CPerspectiva1MouseUp() {
  view->Perspective = CPerspectiva1->Down();
  RecreateContext();
  Redraw();
  FocusTela1();
}

void TFEditorDeObjetos1::CSolidos1MouseUp() {
  view->Solid = CSolidos1->Down();
  RecreateContext();
  Redraw();
  FocusTela1();
}
