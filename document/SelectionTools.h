#pragma once
#include <cstdint>
#include <vector>

class EditorDocument;

// Selects every element that is drawn (invisible ones are left out), in
// document order, after whatever was selected. Returns how many were added.
int32_t SelectAllVisible(EditorDocument& doc);

// Makes these elements the selection, in the order given, the last one the
// current element; indices outside the document and repeats are left out.
// Returns the last element selected, or -1 when none was.
int32_t SelectOnly(EditorDocument& doc, const std::vector<int32_t>& indices);

// Copies the selected elements to the end of the document, each shifted by
// one edit step in X and Z and named as a pasted copy is, and makes the
// copies the selection; one undo step. The clipboard and the template of
// the next element stay as they were. False when nothing was selected.
bool DuplicateSelection(EditorDocument& doc);

// The box around the elements a frame command looks at: the selected ones,
// or every visible one when nothing is selected. Elements whose numbers are
// not drawable are left out. False when there is nothing to frame.
struct Bounds {
  double min[3], max[3];
};
bool FramingBounds(const EditorDocument& doc, Bounds* bounds);
