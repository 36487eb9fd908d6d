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
#include "PropertyStrip.h"
#include "TFE3DAtributos1.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
#include "common/Dictionary.h"
#include "common/Latin1.h"
#include "controls/TCorSeleciona.h"
#include "controls/TMPanel.h"
#include "controls/TMulfig.h"
#include "controls/TSBM.h"
#include "controls/TZSpinEdit.h"
#include "document/NameSyntax.h"
#include "document/SelectionTools.h"
#include "gl/GLView.h"
#include "gl/Textures.h"
#include "gl/ViewContext.h"

void TFEditorDeObjetos1::SelectElement(int32_t i) {
  if (!doc.SelectElement(i)) return;
  if (i >= 0 && i < doc.Count()) ShowInPanel(doc.Element(i));
  HighlightListEntry(i);
}

void TFEditorDeObjetos1::ShowInPanel(const Element3D& e) {
  strip_->Show(e);
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
  strip_->ShowAngles(e);
  ShowExactValues(e, false);
}

std::string TFEditorDeObjetos1::SelectedTextureText() const { return strip_->SelectedTexture(); }

// The strip's handlers run their edits as commands: one undo step each, and
// the window brought in step afterwards.
void TFEditorDeObjetos1::PCor1Click() { commands_->Run(CommandId::Color); }
void TFEditorDeObjetos1::CTexturaClick() { commands_->Run(CommandId::Texture); }
void TFEditorDeObjetos1::CInvisivelClick() { commands_->Run(CommandId::Visibility); }
void TFEditorDeObjetos1::EChanfro1ChangeUser() { commands_->Run(CommandId::Chamfer); }
void TFEditorDeObjetos1::ESuperior1ChangeUser() { commands_->Run(CommandId::TopSize); }
void TFEditorDeObjetos1::EAyzChangeUser() { commands_->Run(CommandId::Angles); }
void TFEditorDeObjetos1::Lista1DblClick() { commands_->Run(CommandId::Rename); }

void TFEditorDeObjetos1::ChooseColor() { strip_->ChooseColor(); }
void TFEditorDeObjetos1::ApplyTexture() { strip_->ApplyTexture(); }
void TFEditorDeObjetos1::ApplyVisibility() {
  strip_->ApplyVisibility();
  RepaintList();  // invisible elements are greyed in the list
}
void TFEditorDeObjetos1::ApplyChamfer() { strip_->ApplyChamfer(); }
void TFEditorDeObjetos1::ApplyTopSize() { strip_->ApplyTopSize(); }
void TFEditorDeObjetos1::ApplyAngles() { strip_->ApplyAngles(); }

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
  if (strip_->Filling()) return;
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

int TFEditorDeObjetos1::MoveModeChosen() const { return MMovimento1->Valor(); }
void TFEditorDeObjetos1::SetMoveMode(int mode) { MMovimento1->setValor(mode); }
int TFEditorDeObjetos1::AxisChosen() const { return MEixo1->Valor(); }

bool TFEditorDeObjetos1::PaletteToCursor() {
  if (Mulfig1->Valor() < 1) return false;
  Mulfig1->setValor(0);
  Mulfig1->repaint();
  return true;
}

void TFEditorDeObjetos1::RepaintList() { Lista1->viewport()->update(); }

bool TFEditorDeObjetos1::Perspective() const { return view->Perspective; }

void TFEditorDeObjetos1::ToggleProjection() {
  CPerspectiva1->setDown(!view->Perspective);
  CPerspectiva1MouseUp();
}
