// The property strip and the element list: selection kept in step with the
// list, the panel filled from the current element, each editor writing its
// value into the selected elements through the undoable setters.
#include <QCheckBox>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QListWidget>

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "LatinText.h"
#include "TFE3DAtributos1.h"
#include "TFEditorDeObjetos1.h"
#include "TGLPanel.h"
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
  Lista1->setCurrentRow(-1, QItemSelectionModel::Clear);
  Lista1->clearSelection();
}

void TFEditorDeObjetos1::RebuildElementList() {
  Lista1->clear();
  SyncElementList();
}

void TFEditorDeObjetos1::SyncElementList() {
  QStringList names;
  names.reserve(doc.Count());
  for (int32_t i = 0; i < doc.Count(); ++i) names.append(L1(doc.Element(i).name.str()));
  // The marks are made anew below; dropped first, they need no keeping in
  // step while rows come and go.
  Lista1->selectionModel()->clear();
  // Rows are kept where the names agree from the start and from the end;
  // between them, a list that grows gets the missing names inserted and
  // one that shrinks loses the rows of names no longer there, in runs (a
  // paste, a delete, their undo). Any other change ends the same, only
  // with more rows made anew.
  auto text = [this](int row) { return Lista1->item(row)->text(); };
  const int count = static_cast<int>(names.size());
  int first = 0;
  while (first < Lista1->count() && first < count && text(first) == names[first]) ++first;
  int oldEnd = Lista1->count(), newEnd = count;
  while (oldEnd > first && newEnd > first && text(oldEnd - 1) == names[newEnd - 1]) --oldEnd, --newEnd;
  const bool grows = newEnd > oldEnd;
  int row = first, i = first;
  while (row < oldEnd && i < newEnd) {
    if (text(row) == names[i]) {
      ++row, ++i;
    } else if (grows) {
      int upTo = i + 1;
      while (upTo < newEnd && names[upTo] != text(row)) ++upTo;
      Lista1->insertItems(row, names.mid(i, upTo - i));
      row += upTo - i, oldEnd += upTo - i, i = upTo;
    } else {
      int upTo = row + 1;
      while (upTo < oldEnd && text(upTo) != names[i]) ++upTo;
      Lista1->model()->removeRows(row, upTo - row);
      oldEnd -= upTo - row;
    }
  }
  if (row < oldEnd) Lista1->model()->removeRows(row, oldEnd - row);
  if (i < newEnd) Lista1->insertItems(row, names.mid(i, newEnd - i));

  // Each selected element marks the first line of its name; the marks are
  // made in one selection change, which stays quick for large selections.
  std::unordered_map<QString, int> firstRow;
  for (int r = count - 1; r >= 0; --r) firstRow[names[r]] = r;
  const std::vector<bool> selected = doc.SelectionMask();
  QItemSelection marks;
  int current = -1;
  for (int32_t k = 0; k < doc.Count(); ++k) {
    if (!selected[static_cast<size_t>(k)]) continue;
    current = firstRow[names[k]];
    const QModelIndex index = Lista1->model()->index(current, 0);
    marks.select(index, index);
  }
  if (current < 0) return;
  Lista1->selectionModel()->select(marks, QItemSelectionModel::Select);
  Lista1->selectionModel()->setCurrentIndex(Lista1->model()->index(current, 0), QItemSelectionModel::NoUpdate);
}

void TFEditorDeObjetos1::HighlightListEntry(int32_t i) {
  if (i < 0 || i >= doc.Count()) return;
  const QString name = L1(doc.Element(i).name.str());
  for (int row = 0; row < Lista1->count(); ++row) {
    if (Lista1->item(row)->text() == name) {
      Lista1->item(row)->setSelected(true);
      Lista1->setCurrentRow(row, QItemSelectionModel::Select);
      Lista1->viewport()->update();
      return;
    }
  }
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

void TFEditorDeObjetos1::PCor1Click() {
  cor1->setColor(PCor1->Color());
  if (cor1->Execute()) {
    PCor1->setColor(cor1->Color());
    doc.SetSelectedColor(cor1->Color());
    Redraw();
  }
  FocusTela1();
}

void TFEditorDeObjetos1::CTexturaClick() {
  doc.SetSelectedTexture(Latin(CTextura->currentText()));
  Redraw();
  FocusTela1();
}

void TFEditorDeObjetos1::CInvisivelClick() {
  doc.SetSelectedInvisible(CInvisivel->isChecked());
  Redraw();
  FocusTela1();
  Lista1->viewport()->update();
}

void TFEditorDeObjetos1::EChanfro1ChangeUser() {
  doc.SetSelectedChamfer(SpinToChamfer(EChanfro1->Value()));
  Redraw();
  FocusTela1();
}

void TFEditorDeObjetos1::ESuperior1ChangeUser() {
  doc.SetSelectedTopPercent(ESuperior1->Value());
  Redraw();
  FocusTela1();
}

void TFEditorDeObjetos1::EAyzChangeUser() {
  doc.SetSelectedAngles(EAxy->Value(), EAyz->Value(), EAxz->Value());
  Redraw();
  FocusTela1();
}

void TFEditorDeObjetos1::EAxzChange(TZSpinEdit* sender) {
  // Showing an element's angles is no edit: with the first angle shown and
  // the others still the previous element's, it would write a mix of both.
  if (fillingPanel_) return;
  doc.SetSelectedAngles(EAxy->Value(), EAyz->Value(), EAxz->Value());
  Redraw();
  sender->setPermiteEvento(false);
}

void TFEditorDeObjetos1::Lista1Click() {
  if (Lista1->currentRow() > -1) {
    doc.ClearSelection();
    // As SelectElement row by row, but the panel is filled once, for the
    // last row, and the first line of each name is marked in one change: a
    // thousand selected rows once refilled the panel a thousand times.
    std::unordered_map<QString, int> firstRow;
    for (int row = Lista1->count() - 1; row >= 0; --row) firstRow[Lista1->item(row)->text()] = row;
    QItemSelection marks;
    int32_t shown = -1;
    int current = -1;
    for (int row = 0; row < Lista1->count() && row < doc.Count(); ++row) {
      if (!Lista1->item(row)->isSelected() || !doc.SelectElement(row)) continue;
      shown = row;
      const auto first = firstRow.find(L1(doc.Element(row).name.str()));
      if (first == firstRow.end()) continue;
      current = first->second;
      marks.select(Lista1->model()->index(current, 0), Lista1->model()->index(current, 0));
    }
    if (shown >= 0) ShowInPanel(doc.Element(shown));
    if (current >= 0) {
      Lista1->selectionModel()->select(marks, QItemSelectionModel::Select);
      Lista1->selectionModel()->setCurrentIndex(Lista1->model()->index(current, 0), QItemSelectionModel::NoUpdate);
      Lista1->viewport()->update();
    }
  }
  Redraw();
  FocusTela1();
}

void TFEditorDeObjetos1::Lista1DblClick() {
  const int i = Lista1->currentRow();
  if (i < 0 || i >= Lista1->count() || i >= doc.Count()) return;
  const std::string typed = EditElementName(Latin(Lista1->item(i)->text()), doc.Element(i), this);
  const std::string name = AcceptedNewName(doc.elements, typed);
  if (name.empty()) return;
  doc.Element(i).name.assign(name);
  SetDocumentChanged(true);  // a rename takes no undo snapshot
  SyncElementList();
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
