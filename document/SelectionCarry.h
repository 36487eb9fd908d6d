#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TIMem32;

// The selection across an undo or a redo: the elements selected before it
// stay selected where they still exist afterwards. With the same number of
// elements on both sides every index names the same element (moves,
// resizes, property edits and renames keep the order). When elements came
// or went, an element is found again by its name, at its old index first.
// When nothing selected survives, the selection the step was taken with
// (`stepSelection`) comes back, so that an undone delete shows what it
// brought back.
struct CarriedSelection {
  std::vector<int32_t> selected;   // the indices before, in selection order
  std::vector<std::string> names;  // their elements' names before
  int32_t countBefore = 0;
};

std::vector<int32_t> CarrySelection(const CarriedSelection& before, const TIMem32& after,
                                    const std::vector<int32_t>& stepSelection);
