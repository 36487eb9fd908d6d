#include "StartingView.h"

#include "GLView.h"
#include "Textures.h"
#include "ViewContext.h"
#include "ViewPresets.h"

void ResetToStartingView(GLView& view) {
  view.LightMode = 7;
  for (int i = 0; i < 3; ++i) {
    view.OrthoMin[i] = -20;
    view.OrthoMax[i] = 20;
  }
}

GLView* NewStartingView(DrawSurface* surface, int width, int height, int preset) {
  GLView* view = NewView();
  ResetToStartingView(*view);
  CreateContext(*view, surface, width, height);
  CreateTextures(*view, 8);
  ApplyViewPreset(*view, preset);
  ApplyCamera(*view);
  return view;
}
