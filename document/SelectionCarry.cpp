#include "SelectionCarry.h"

#include <algorithm>

#include "Element3D.h"
#include "common/TIMem32.h"

namespace {
bool Taken(const std::vector<int32_t>& list, int32_t i) { return std::find(list.begin(), list.end(), i) != list.end(); }

std::string NameAt(const TIMem32& elements, int32_t i) { return elements.As<Element3D>(i).name.str(); }
}  // namespace

std::vector<int32_t> CarrySelection(const CarriedSelection& before, const TIMem32& after,
                                    const std::vector<int32_t>& stepSelection) {
  const int32_t count = after.Count();
  std::vector<int32_t> out;
  for (size_t k = 0; k < before.selected.size(); ++k) {
    const int32_t i = before.selected[k];
    if (before.countBefore == count) {
      if (i >= 0 && i < count && !Taken(out, i)) out.push_back(i);
      continue;
    }
    const std::string& name = k < before.names.size() ? before.names[k] : std::string();
    int32_t found = -1;
    if (i >= 0 && i < count && NameAt(after, i) == name && !Taken(out, i)) found = i;
    for (int32_t j = 0; found < 0 && j < count; ++j)
      if (!Taken(out, j) && NameAt(after, j) == name) found = j;
    if (found >= 0) out.push_back(found);
  }
  if (!out.empty()) return out;
  for (const int32_t i : stepSelection)
    if (i >= 0 && i < count && !Taken(out, i)) out.push_back(i);
  return out;
}
