#include "SelectionCarry.h"

#include <unordered_map>

#include "Element3D.h"
#include "common/TIMem32.h"

namespace {
std::string NameAt(const TIMem32& elements, int32_t i) { return elements.As<Element3D>(i).name.str(); }
}  // namespace

// Linear in the elements and the selection: an undone paste of 100,000
// selected copies must not compare every copy with every name.
std::vector<int32_t> CarrySelection(const CarriedSelection& before, const TIMem32& after,
                                    const std::vector<int32_t>& stepSelection) {
  const int32_t count = after.Count();
  std::vector<bool> taken(static_cast<size_t>(count), false);
  std::vector<int32_t> out;
  auto take = [&](int32_t i) {
    if (i < 0 || i >= count || taken[static_cast<size_t>(i)]) return false;
    taken[static_cast<size_t>(i)] = true;
    out.push_back(i);
    return true;
  };
  if (before.countBefore == count) {
    for (const int32_t i : before.selected) take(i);
  } else if (!before.selected.empty()) {
    // Where each name stands, in document order, and how far each list is used.
    std::unordered_map<std::string, std::vector<int32_t>> where;
    for (int32_t j = 0; j < count; ++j) where[NameAt(after, j)].push_back(j);
    std::unordered_map<std::string, size_t> used;
    for (size_t k = 0; k < before.selected.size(); ++k) {
      const int32_t i = before.selected[k];
      const std::string& name = k < before.names.size() ? before.names[k] : std::string();
      if (i >= 0 && i < count && !taken[static_cast<size_t>(i)] && NameAt(after, i) == name) {
        take(i);
        continue;
      }
      const auto found = where.find(name);
      if (found == where.end()) continue;
      size_t& next = used[name];
      while (next < found->second.size() && !take(found->second[next])) ++next;
    }
  }
  if (!out.empty()) return out;
  for (const int32_t i : stepSelection) take(i);
  return out;
}
