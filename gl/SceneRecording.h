#pragma once

class Canvas;
struct SceneState;

// Draws the scene's frame into an export's `canvas` without drawing it on
// screen: the frame's element drawing runs with that canvas, which makes no
// OpenGL calls, so no GL context is needed. The canvas gets what a drawn
// frame would give it, call for call: the elements and, while a kind is
// being added, the element a click would add.
void RecordScene(SceneState& scene, Canvas& canvas);
