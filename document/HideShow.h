#pragma once
#include <cstdint>

class EditorDocument;

// Hiding and showing by the elements' Invisible flag, each one undo step
// taken only when something changes. Each returns how many elements it
// changed. The selection stays as it was.

// Hides the selected elements.
int32_t HideSelection(EditorDocument& doc);
// Hides every element that is not selected.
int32_t HideUnselected(EditorDocument& doc);
// Shows every hidden element.
int32_t ShowAll(EditorDocument& doc);
