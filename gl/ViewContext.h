#pragma once

class DrawSurface;
struct GLView;

// Attaches the view to `surface` and sets up its context: clear, projection,
// render state and lights. The view is re-created from scratch each time
// (texture names included). When the surface has no usable context the view
// stays without one and later drawing does nothing.
void CreateContext(GLView& view, DrawSurface* surface, int width, int height);
// Viewport and projection for a panel of width x height pixels; a panel with
// no area keeps the previous projection.
void SetProjection(GLView& view, int width, int height);
// Places the two lights for the view's LightMode under the current camera.
void ApplyLights(const GLView& view);
// Loads the camera (Eye, Center, Up), then the lights.
void ApplyCamera(GLView& view);
// Ends the frame on the view's surface.
void Present(GLView& view);
// Deletes the view's texture names and detaches it from its surface.
void DestroyContext(GLView& view);

// Stores the current matrices and viewport in the view (see GLView).
void CaptureFrameMatrices(GLView& view);

// The matrices and viewport of the view's last frame (the current GL state
// when the view has not drawn yet).
struct FrameMatrices {
  double modelView[16];
  double projection[16];
  int viewport[4];
};
FrameMatrices FrameOf(const GLView& view);
