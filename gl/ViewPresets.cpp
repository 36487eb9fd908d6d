#include "ViewPresets.h"

#include <cmath>

#include "GLView.h"

namespace {
void SetCamera(GLView& v, const double eye[3], const double center[3], const double up[3]) {
  for (int i = 0; i < 3; ++i) {
    v.Eye[i] = eye[i];
    v.Center[i] = center[i];
    v.Up[i] = up[i];
  }
}
}  // namespace

void DefaultView(GLView& view) {
  const double eye[3] = {23.801373666274, 30.6782466240847, 23.8998471066225};
  const double center[3] = {0, 0, 0};
  const double up[3] = {-0.499713750409934, 0.707106947312316, -0.500285840666417};
  SetCamera(view, eye, center, up);
}

bool ApplyViewPreset(GLView& view, int preset) {
  const double h = std::fabs(view.OrthoMax[1]) * 0.375 - 1;
  switch (preset) {
    case 0:
      DefaultView(view);
      return true;
    case 1: {
      const double eye[3] = {0, 31, 0}, center[3] = {0, 0, 0}, up[3] = {0, 0, -1};
      SetCamera(view, eye, center, up);
      return true;
    }
    case 2:
    case 3: {
      const double eye[3] = {0, h, 25}, center[3] = {0, h, 0}, up[3] = {0, 1, 0};
      SetCamera(view, eye, center, up);
      return true;
    }
    default:
      return false;
  }
}
