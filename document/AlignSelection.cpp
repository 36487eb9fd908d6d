#include "AlignSelection.h"

#include <algorithm>
#include <vector>

#include "EditorDocument.h"
#include "ElementBox.h"

namespace {
struct Placed {
  int32_t index;
  double lo, hi;
};

// The selected elements that exist, with their boxes along `axis`.
std::vector<Placed> SelectedBoxes(const EditorDocument& doc, int axis) {
  std::vector<Placed> out;
  out.reserve(static_cast<size_t>(doc.SelectionCount()));
  for (int32_t k = 0; k < doc.SelectionCount(); ++k) {
    const int32_t i = doc.SelectedIndex(k);
    if (i < 0 || i >= doc.Count()) continue;
    double lo[3], hi[3];
    TurnedBox(doc.elements.As<Element3D>(i), lo, hi);
    out.push_back({i, lo[axis], hi[axis]});
  }
  return out;
}

double EdgeOf(const Placed& p, AlignEdge edge) {
  switch (edge) {
    case AlignEdge::Min:
      return p.lo;
    case AlignEdge::Max:
      return p.hi;
    case AlignEdge::Centre:
      break;
  }
  return (p.lo + p.hi) / 2;
}

// Each field named: the record is packed, so no reference to one.
void Shift(Element3D& e, int axis, double by) {
  if (axis == 0)
    e.x = e.x + by;
  else if (axis == 1)
    e.y = e.y + by;
  else
    e.z = e.z + by;
}

// Moves the elements by their shifts as one step; false when none moves.
bool Apply(EditorDocument& doc, int axis, const std::vector<std::pair<int32_t, double>>& shifts, StepName name) {
  const bool any = std::any_of(shifts.begin(), shifts.end(), [](const auto& s) { return s.second != 0; });
  if (!any) return false;
  doc.PushUndo(name);
  for (const auto& [i, by] : shifts)
    if (by != 0) Shift(doc.Element(i), axis, by);
  return true;
}
}  // namespace

bool AlignSelection(EditorDocument& doc, int axis, AlignEdge edge) {
  if (axis < 0 || axis > 2) return false;
  const std::vector<Placed> boxes = SelectedBoxes(doc, axis);
  if (boxes.size() < 2) return false;
  const Placed& target = boxes.back();
  const double line = EdgeOf(target, edge);
  std::vector<std::pair<int32_t, double>> shifts;
  for (const Placed& p : boxes)
    if (p.index != target.index) shifts.emplace_back(p.index, line - EdgeOf(p, edge));
  return Apply(doc, axis, shifts, StepName::Align);
}

bool DistributeSelection(EditorDocument& doc, int axis) {
  if (axis < 0 || axis > 2) return false;
  std::vector<Placed> boxes = SelectedBoxes(doc, axis);
  if (boxes.size() < 3) return false;
  std::stable_sort(boxes.begin(), boxes.end(),
                   [](const Placed& a, const Placed& b) { return a.lo + a.hi < b.lo + b.hi; });
  double lengths = 0;
  for (const Placed& p : boxes) lengths += p.hi - p.lo;
  const double span = boxes.back().hi - boxes.front().lo;
  const double gap = (span - lengths) / static_cast<double>(boxes.size() - 1);
  std::vector<std::pair<int32_t, double>> shifts;
  double at = boxes.front().hi + gap;
  for (size_t k = 1; k + 1 < boxes.size(); ++k) {
    const Placed& p = boxes[k];
    shifts.emplace_back(p.index, at - p.lo);
    at += (p.hi - p.lo) + gap;
  }
  return Apply(doc, axis, shifts, StepName::Distribute);
}
