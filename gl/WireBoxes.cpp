#include <GL/gl.h>

#include "SceneFrame.h"
#include "document/ElementSanity.h"

namespace {
void Loop(const double (&p)[4][3]) {
  glBegin(GL_LINE_LOOP);
  for (const auto& v : p) glVertex3d(v[0], v[1], v[2]);
  glEnd();
}

// The four loops of a wire box: front, right, left and back faces.
void BoxLoops(double hx, double hy, double hz) {
  Loop({{-hx, -hy, hz}, {-hx, hy, hz}, {hx, hy, hz}, {hx, -hy, hz}});
  Loop({{hx, -hy, hz}, {hx, hy, hz}, {hx, hy, -hz}, {hx, -hy, -hz}});
  Loop({{-hx, -hy, -hz}, {-hx, hy, -hz}, {-hx, hy, hz}, {-hx, -hy, hz}});
  Loop({{hx, -hy, -hz}, {hx, hy, -hz}, {-hx, hy, -hz}, {-hx, -hy, -hz}});
}

void TurnedBoxLoops(double ax, double ay, double az, double hx, double hy, double hz, const double c[3]) {
  glPushMatrix();
  glTranslated(c[0], c[1], c[2]);
  if (az != 0) glRotated(az, 0, 0, 1);
  if (ay != 0) glRotated(ay, 0, 1, 0);
  if (ax != 0) glRotated(ax, 1, 0, 0);
  BoxLoops(hx, hy, hz);
  glPopMatrix();
}
}  // namespace

void DrawSelectionBox(const Element3D& e) {
  if (!IsDrawableElement(e)) return;  // left out of the view, so no box either
  glColor4f(0.7f, 0.0f, 0.7f, 1.0f);
  const double center[3] = {e.x, e.y, e.z};
  TurnedBoxLoops(e.ayz, e.axz, e.axy, e.dx / 2, e.dy / 2, e.dz / 2, center);
}

void DrawBlockCursor(const SceneState& scene) {
  if (!scene.shownBlockCursor.inside) return;
  glColor4f(0.3f, 0.3f, 0.3f, 1.0f);
  DrawWireBox(0, 0, 0, scene.shownBlockCursor.size, scene.shownBlockCursor.at);
}

void DrawSnapTarget(const SceneState& scene) {
  if (!scene.snapShown) return;
  // Brighter than the selection's boxes, and a little outside the target's
  // faces so the line is not lost in them.
  glColor4f(1.0f, 0.55f, 0.0f, 1.0f);
  double size[3], centre[3];
  for (int a = 0; a < 3; ++a) {
    const double margin = 0.01 * (scene.snapHi[a] - scene.snapLo[a]) + 0.005;
    size[a] = scene.snapHi[a] - scene.snapLo[a] + 2 * margin;
    centre[a] = (scene.snapLo[a] + scene.snapHi[a]) / 2;
  }
  DrawWireBox(0, 0, 0, size, centre);
}

void DrawWireBox(double ax, double ay, double az, const double s[3], const double center[3]) {
  TurnedBoxLoops(ax, ay, az, s[0] / 2, s[1] / 2, s[2] / 2, center);
}
