#pragma once

class DrawSurface;
struct GLView;

// What every view starts as, in the editor and without it: all lights on
// and the scene box 20 units out on each axis.
void ResetToStartingView(GLView& view);

// A new view in its starting state, drawing on `surface` (width x height),
// with its texture names made and the camera of `preset` (ApplyViewPreset)
// applied: ready to draw a document.
GLView* NewStartingView(DrawSurface* surface, int width, int height, int preset);
