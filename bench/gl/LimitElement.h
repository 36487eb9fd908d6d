#pragma once
// What the limit program draws for one element: a plain colour, its
// transform and its shape's triangles, nothing cached.
#include <GL/gl.h>

#include "document/Element3D.h"
#include "gl/ShapeLists.h"

inline void DrawLimitElement(const Element3D& e) {
  glColor4f(0.5f, 0.6f, 0.7f, 1.0f);
  glPushMatrix();
  glTranslated(e.x, e.y, e.z);
  glRotated(e.axy, 0, 0, 1);
  glRotated(e.axz, 0, 1, 0);
  glRotated(e.ayz, 1, 0, 0);
  EmitShape(ShapeKeyOf(e));
  glPopMatrix();
}
