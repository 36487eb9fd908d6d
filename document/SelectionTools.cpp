#include "SelectionTools.h"

#include <algorithm>
#include <cmath>

#include "EditorDocument.h"
#include "ElementBox.h"
#include "ElementSanity.h"

namespace {
// Adds elements known not to be selected yet, growing the selection once.
void AppendToSelection(EditorDocument& doc, const std::vector<int32_t>& indices) {
  const int32_t k0 = doc.selection.Count();
  doc.selection.SetCount(k0 + static_cast<int32_t>(indices.size()));
  for (size_t k = 0; k < indices.size(); ++k) doc.selection.As<int32_t>(k0 + static_cast<int32_t>(k)) = indices[k];
  if (!indices.empty()) doc.currentIndex = indices.back();
}
}  // namespace

int32_t SelectAllVisible(EditorDocument& doc) {
  // One pass with a mask and one growth of the selection: asking or growing
  // element by element would take time growing with the square of the
  // document.
  const std::vector<bool> selected = doc.SelectionMask();
  std::vector<int32_t> added;
  int32_t last = -1;
  for (int32_t i = 0; i < doc.Count(); ++i) {
    if (doc.IsInvisible(i)) continue;
    last = i;
    if (!selected[static_cast<size_t>(i)]) added.push_back(i);
  }
  AppendToSelection(doc, added);
  if (last >= 0) doc.currentIndex = last;
  return static_cast<int32_t>(added.size());
}

int32_t SelectOnly(EditorDocument& doc, const std::vector<int32_t>& indices) {
  doc.ClearSelection();
  // Repeats are told apart with a mask: asking the selection element by
  // element takes time growing with the square of the selection.
  std::vector<bool> taken(static_cast<size_t>(doc.Count()), false);
  std::vector<int32_t> kept;
  kept.reserve(indices.size());
  for (const int32_t i : indices)
    if (i >= 0 && i < doc.Count() && !taken[static_cast<size_t>(i)]) {
      taken[static_cast<size_t>(i)] = true;
      kept.push_back(i);
    }
  AppendToSelection(doc, kept);
  return kept.empty() ? -1 : kept.back();
}

bool DuplicateSelection(EditorDocument& doc) {
  const int32_t n = doc.SelectionCount();
  if (n == 0) return false;
  std::vector<int32_t> originals;
  for (int32_t k = 0; k < n; ++k) {
    const int32_t i = doc.SelectedIndex(k);
    if (i >= 0 && i < doc.Count()) originals.push_back(i);
  }
  if (originals.empty()) return false;
  doc.PushUndo(StepName::Duplicate);
  const Element3D templateBefore = doc.templ;
  std::vector<int32_t> copies;
  copies.reserve(originals.size());
  doc.elements.Reserve(doc.Count() + static_cast<int32_t>(originals.size()));
  ElementNamer namer(doc.elements);
  for (const int32_t i : originals) {
    doc.templ = doc.Element(i);
    const int32_t c = doc.AppendFromTemplate(namer);  // a fresh name, as a paste gets
    Element3D& e = doc.Element(c);
    e.x += doc.editStep[0];
    e.z += doc.editStep[2];
    copies.push_back(c);
  }
  doc.templ = templateBefore;
  doc.ClearSelection();
  AppendToSelection(doc, copies);
  return true;
}

bool FramingBounds(const EditorDocument& doc, Bounds* bounds) {
  const std::vector<bool> selected = doc.SelectionMask();
  const bool anySelected = doc.SelectionCount() > 0;
  bool found = false;
  Bounds b{};
  for (int32_t i = 0; i < doc.Count(); ++i) {
    if (anySelected ? !selected[static_cast<size_t>(i)] : doc.IsInvisible(i)) continue;
    const Element3D& e = doc.elements.As<Element3D>(i);
    if (!IsDrawableElement(e)) continue;
    double lo[3], hi[3];
    TurnedBox(e, lo, hi);
    for (int a = 0; a < 3; ++a) {
      b.min[a] = found ? std::min(b.min[a], lo[a]) : lo[a];
      b.max[a] = found ? std::max(b.max[a], hi[a]) : hi[a];
    }
    found = true;
  }
  if (found) *bounds = b;
  return found;
}
