#include "HideShow.h"

#include <vector>

#include "EditorDocument.h"

namespace {
// Sets the flag of the elements `which` picks to `hidden`: the undo step is
// taken before the first change, none when nothing changes.
template <typename Pick>
int32_t SetHidden(EditorDocument& doc, bool hidden, Pick which) {
  const uint8_t flag = hidden ? 1 : 0;
  int32_t changed = 0;
  for (int32_t i = 0; i < doc.Count(); ++i) {
    Element3D& e = doc.Element(i);
    if (!which(i) || (e.invisible != 0) == hidden) continue;
    if (changed++ == 0) doc.PushUndo(StepName::Visibility);
    doc.Element(i).invisible = flag;
  }
  return changed;
}
}  // namespace

int32_t HideSelection(EditorDocument& doc) {
  const std::vector<bool> selected = doc.SelectionMask();
  return SetHidden(doc, true, [&](int32_t i) { return selected[static_cast<size_t>(i)]; });
}

int32_t HideUnselected(EditorDocument& doc) {
  const std::vector<bool> selected = doc.SelectionMask();
  return SetHidden(doc, true, [&](int32_t i) { return !selected[static_cast<size_t>(i)]; });
}

int32_t ShowAll(EditorDocument& doc) {
  return SetHidden(doc, false, [](int32_t) { return true; });
}
