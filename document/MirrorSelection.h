#pragma once

class EditorDocument;

// Mirrors the selected elements along world axis `axis` (0 x, 1 y, 2 z)
// about the centre of the selection's box, as one undo step: positions
// reflected and turns mirrored, so the picture is the mirror image (a
// tapered element mirrored along y stands on its narrow end). False when
// nothing is selected.
bool MirrorSelection(EditorDocument& doc, int axis);
