#pragma once

struct GLView;

// The editor's starting camera, looking at the origin from above front right.
void DefaultView(GLView& view);
// The numbered views: 0 default, 1 from above (XZ), 2 and 3 from the front
// (XY and ZY give the same camera). Other values change nothing; returns
// whether the camera was set. Callers apply the camera and draw.
bool ApplyViewPreset(GLView& view, int preset);
