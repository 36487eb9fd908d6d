#include "DrawWrappers.h"

#include <GL/gl.h>

#include "GLCanvas.h"

namespace {
// The canvas the wrappers draw into; null for the view's OpenGL canvas,
// whose calls are made here without a virtual call per vertex.
Canvas* target = nullptr;
}  // namespace

void BeginPrimitive(unsigned mode) {
  if (!target)
    glBegin(mode);
  else
    target->BeginPrimitive(static_cast<Primitive>(mode));
}

void EndPrimitive() {
  if (!target)
    glEnd();
  else
    target->EndPrimitive();
}

void SetColor(double red, double green, double blue, double a) {
  if (!target)
    glColor4f(static_cast<float>(red), static_cast<float>(green), static_cast<float>(blue), static_cast<float>(a));
  else
    target->Color(red, green, blue, a);
}

void Rotate(double angle, double x, double y, double z) {
  if (!target)
    glRotated(angle, x, y, z);
  else
    target->Rotate(angle, x, y, z);
}

void Translate(double x, double y, double z) {
  if (!target)
    glTranslated(x, y, z);
  else
    target->Translate(x, y, z);
}

void Normal(double x, double y, double z) {
  if (!target)
    glNormal3d(x, y, z);
  else
    target->Normal(x, y, z);
}

void NormalF(float x, float y, float z) { Normal(x, y, z); }

void TexCoord(double s, double t) {
  if (!target)
    glTexCoord2d(s, t);
  else
    target->TexCoord(s, t);
}

void TexCoordF(float s, float t) { TexCoord(s, t); }

void Vertex(double x, double y, double z) {
  if (!target)
    glVertex3d(x, y, z);
  else
    target->Vertex(x, y, z);
}

void VertexF(float x, float y, float z) { Vertex(x, y, z); }

Canvas& CurrentCanvas() { return target ? *target : ViewCanvas(); }

bool DrawingToGL() { return !target || target->DrawsWithGL(); }

DrawInto::DrawInto(Canvas& canvas) : previous_(target) { target = &canvas == &ViewCanvas() ? nullptr : &canvas; }

DrawInto::~DrawInto() { target = previous_; }
