#pragma once
#include <cstdint>
#include <memory>
#include <vector>

class DrawSurface;
struct ImageTextureSet;
struct LabelTextureSet;
struct ShapeListCache;

// One drawing surface's view: camera, projection choice, lights, texture
// names and the surface it draws on. The editor has exactly one.
struct GLView {
  double Eye[3] = {0, 5, 8};
  double Center[3] = {0, 2, 0};
  double Up[3] = {0, 1, 0};
  bool Perspective = true;
  bool Solid = true;
  int32_t LightMode = 1;
  // Texture names of the context; none until CreateTextures.
  bool HasTextures = false;
  std::vector<unsigned> Textures;
  // The surface the context belongs to; null while the view has no context.
  DrawSurface* Surface = nullptr;
  // Compiled meshes of the shapes drawn so far (they belong to the context).
  std::shared_ptr<ShapeListCache> Shapes;
  // The label pictures of the last frame (they belong to the context).
  std::shared_ptr<LabelTextureSet> Labels;
  // Texture objects of the images drawn so far (they belong to the context).
  std::shared_ptr<ImageTextureSet> Images;
  double OrthoMin[3] = {-100, -100, -100};
  double OrthoMax[3] = {100, 100, 100};
  // How much of the orthographic volume the projection shows (zooming in
  // makes it smaller); OrthoMin and OrthoMax keep their other uses (the
  // floor's reach, the view presets).
  double OrthoZoom = 1.0;
  // The editor keeps its own view state here; DestroyContext resets it.
  double EditorScale = 1.0;
  double EditorValues[6] = {0, 0, 0, 0, 0, 0};

  // The matrices and viewport of the last frame, kept so that a pick made
  // later (after the toolkit has drawn over the frame) unprojects against
  // what was drawn.
  bool FrameKnown = false;
  double FrameModelView[16] = {};
  double FrameProjection[16] = {};
  int FrameViewport[4] = {};
};

// Appends a view with the initial values to the process's view list.
GLView* NewView();
// Destroys every view's context and empties the list.
void FreeViews();
int ViewCount();

// The background colour CreateContext clears with once (0x00BBGGRR).
extern uint32_t BackgroundColor;
