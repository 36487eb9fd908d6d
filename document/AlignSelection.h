#pragma once

class EditorDocument;

// Which face of the boxes lines up: their low sides, their centres or
// their high sides along the axis.
enum class AlignEdge { Min, Centre, Max };

// Moves every selected element along world axis `axis` (0 x, 1 y, 2 z) so
// that the `edge` of its drawn (turned) box lines up with that of the last
// selected element, which stays; one undo step. False, with no step, when
// fewer than two elements are selected or none would move.
bool AlignSelection(EditorDocument& doc, int axis, AlignEdge edge);

// Spaces three or more selected elements evenly along `axis`: ordered by
// their boxes' centres, the two outermost stay and the others move so that
// the gaps between neighbouring boxes are equal (they overlap alike when
// the boxes together are longer than the span). One undo step; false, with
// no step, for fewer than three or when none would move.
bool DistributeSelection(EditorDocument& doc, int axis);
