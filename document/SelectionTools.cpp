#include "SelectionTools.h"

#include <algorithm>
#include <cmath>

#include "EditorDocument.h"
#include "ElementSanity.h"

namespace {
// Adds elements known not to be selected yet, growing the selection once.
void AppendToSelection(EditorDocument& doc, const std::vector<int32_t>& indices) {
  const int32_t k0 = doc.selection.Count();
  doc.selection.SetCount(k0 + static_cast<int32_t>(indices.size()));
  for (size_t k = 0; k < indices.size(); ++k) doc.selection.As<int32_t>(k0 + static_cast<int32_t>(k)) = indices[k];
  if (!indices.empty()) doc.currentIndex = indices.back();
}

// The world box around the element's own box as it is drawn turned: by axy
// about z, then axz about y, then ayz about x, each right-handed, about its
// centre. A box as loose as the turned one could be fills a fifth of a view.
void TurnedBox(const Element3D& e, double lo[3], double hi[3]) {
  constexpr double kDegree = 3.14159265358979323846 / 180;
  const double cz = std::cos(e.axy * kDegree), sz = std::sin(e.axy * kDegree);
  const double cy = std::cos(e.axz * kDegree), sy = std::sin(e.axz * kDegree);
  const double cx = std::cos(e.ayz * kDegree), sx = std::sin(e.ayz * kDegree);
  const double centre[3] = {e.x, e.y, e.z};
  const double half[3] = {std::fabs(e.dx) / 2, std::fabs(e.dy) / 2, std::fabs(e.dz) / 2};
  for (int a = 0; a < 3; ++a) lo[a] = hi[a] = centre[a];
  for (int corner = 0; corner < 8; ++corner) {
    double v[3];
    for (int a = 0; a < 3; ++a) v[a] = (corner >> a) & 1 ? half[a] : -half[a];
    const double x1 = v[0], y1 = cx * v[1] - sx * v[2], z1 = sx * v[1] + cx * v[2];  // about x
    const double x2 = cy * x1 + sy * z1, y2 = y1, z2 = -sy * x1 + cy * z1;        // about y
    const double w[3] = {cz * x2 - sz * y2, sz * x2 + cz * y2, z2};                 // about z
    for (int a = 0; a < 3; ++a) {
      lo[a] = std::min(lo[a], centre[a] + w[a]);
      hi[a] = std::max(hi[a], centre[a] + w[a]);
    }
  }
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
