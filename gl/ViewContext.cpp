#include "ViewContext.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "DrawSurface.h"
#include "GLView.h"
#include "ImageTextures.h"
#include "LabelTextures.h"
#include "ShapeLists.h"
#include "common/DebugLog.h"

namespace {
void ApplyProjectionRule(const GLView& view, int width, int height) {
  const double w = width, h = height, k = view.OrthoZoom > 0 ? view.OrthoZoom : 1.0;
  if (view.Perspective) {
    gluPerspective(45.0, w / h, 1.0, 500.0);
  } else if (h >= w) {
    glOrtho(k * w * view.OrthoMin[0] / h, k * w * view.OrthoMax[0] / h, k * view.OrthoMin[1], k * view.OrthoMax[1], 1.0,
            500.0);
  } else {
    glOrtho(k * view.OrthoMin[0], k * view.OrthoMax[0], k * h * view.OrthoMin[1] / w, k * h * view.OrthoMax[1] / w, 1.0,
            500.0);
  }
}

void SetLight(GLenum light, const float position[4], const float direction[3]) {
  glLightfv(light, GL_POSITION, position);
  glLightfv(light, GL_SPOT_DIRECTION, direction);
}
}  // namespace

void CreateContext(GLView& view, DrawSurface* surface, int width, int height) {
  DestroyContext(view);
  if (!surface || !surface->MakeCurrent()) return;
  view.Surface = surface;
  glClearColor((BackgroundColor & 0xFF) / 255.0f, ((BackgroundColor >> 8) & 0xFF) / 255.0f,
               ((BackgroundColor >> 16) & 0xFF) / 255.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  if (width > 0 && height > 0) {
    glViewport(0, 0, width, height);
    ApplyProjectionRule(view, width, height);
  }
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_DEPTH_TEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glClearDepth(1.0);
  glEnable(GL_TEXTURE_2D);
  glShadeModel(GL_SMOOTH);
  glPolygonMode(GL_FRONT_AND_BACK, view.Solid ? GL_FILL : GL_LINE);
  const float ambient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
  ApplyLights(view);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
  glEnable(GL_LINE_SMOOTH);
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  CaptureFrameMatrices(view);
}

void SetProjection(GLView& view, int width, int height) {
  if (width <= 0 || height <= 0) return;  // a minimised panel
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  ApplyProjectionRule(view, width, height);
  glMatrixMode(GL_MODELVIEW);
  CaptureFrameMatrices(view);
}

void ApplyLights(const GLView& view) {
  static const float kRightFront[4] = {120, 120, 120, 1}, kToLeftBack[3] = {-1, -1, -1};
  static const float kLeftFront[4] = {-120, 120, 120, 1}, kToRightBack[3] = {1, -1, -1};
  static const float kRightBack[4] = {120, 120, -120, 1}, kToLeftFront[3] = {-1, -1, 1};
  static const float kLeftBack[4] = {-120, 120, -120, 1}, kToRightFront[3] = {1, -1, 1};
  if (view.LightMode == 1) {
    SetLight(GL_LIGHT0, kLeftFront, kToRightBack);
    SetLight(GL_LIGHT1, kRightFront, kToLeftBack);
  } else if (view.LightMode == 7) {
    SetLight(GL_LIGHT0, kRightFront, kToLeftBack);
    SetLight(GL_LIGHT1, kLeftFront, kToRightBack);
  } else {
    SetLight(GL_LIGHT0, kRightBack, kToLeftFront);
    SetLight(GL_LIGHT1, kLeftBack, kToRightFront);
  }
}

void ApplyCamera(GLView& view) {
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(view.Eye[0], view.Eye[1], view.Eye[2], view.Center[0], view.Center[1], view.Center[2], view.Up[0],
            view.Up[1], view.Up[2]);
  ApplyLights(view);
  CaptureFrameMatrices(view);
}

void Present(GLView& view) {
  if (!view.Surface) return;
  const bool log = DebugLogEnabled();
  if (log) DebugLog("open 3dgl  1");
  view.Surface->MakeCurrent();
  if (log) DebugLog("open 3dgl  2");
  view.Surface->EndFrame();
}

void DestroyContext(GLView& view) {
  if (!view.Surface) return;
  if (view.Surface->MakeCurrent()) {
    for (unsigned name : view.Textures) glDeleteTextures(1, &name);
    ClearShapeLists(view);
    ClearLabelTextures(view);
    ClearImageTextures(view);
  }
  view.Shapes.reset();
  view.Labels.reset();
  view.Images.reset();
  view.Textures.clear();
  view.HasTextures = false;
  view.Surface = nullptr;
  view.FrameKnown = false;
  view.EditorScale = 1.0;
  for (double& v : view.EditorValues) v = 0;
}

void CaptureFrameMatrices(GLView& view) {
  glGetDoublev(GL_MODELVIEW_MATRIX, view.FrameModelView);
  glGetDoublev(GL_PROJECTION_MATRIX, view.FrameProjection);
  glGetIntegerv(GL_VIEWPORT, view.FrameViewport);
  view.FrameKnown = true;
}

FrameMatrices FrameOf(const GLView& view) {
  FrameMatrices f;
  if (view.FrameKnown) {
    for (int i = 0; i < 16; ++i) {
      f.modelView[i] = view.FrameModelView[i];
      f.projection[i] = view.FrameProjection[i];
    }
    for (int i = 0; i < 4; ++i) f.viewport[i] = view.FrameViewport[i];
  } else {
    glGetDoublev(GL_MODELVIEW_MATRIX, f.modelView);
    glGetDoublev(GL_PROJECTION_MATRIX, f.projection);
    glGetIntegerv(GL_VIEWPORT, f.viewport);
  }
  return f;
}
