#pragma once
#include "WinColor.h"

class QPainter;

// A one-pixel frame around a w x h control: the left and top edges in
// `topLeft`, the right and bottom edges in `bottomRight` (raised or sunken
// by the choice of the two).
void DrawFrame3D(QPainter& painter, int w, int h, TColor topLeft, TColor bottomRight);
