#include "DrawWrappers.h"

#include <GL/gl.h>

#include "export/ObjRecording.h"

namespace {
inline bool IsRecording() { return Recording().active; }
}  // namespace

void BeginPrimitive(unsigned mode) {
  glBegin(mode);
  if (IsRecording()) RecordBeginPrimitive(static_cast<int>(mode));
}

void EndPrimitive() {
  glEnd();
  if (IsRecording()) RecordEndPrimitive();
}

void SetColor(double r, double g, double b, double a) {
  glColor4f(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), static_cast<float>(a));
  if (IsRecording()) RecordColor(r, g, b);
}

void Rotate(double angle, double x, double y, double z) {
  glRotated(angle, x, y, z);
  if (IsRecording()) RecordRotate(angle, x, y, z);
}

void Translate(double x, double y, double z) {
  glTranslated(x, y, z);
  if (IsRecording()) RecordTranslate(x, y, z);
}

void Normal(double x, double y, double z) {
  glNormal3d(x, y, z);
  if (IsRecording()) RecordNormal(x, y, z);
}

void NormalF(float x, float y, float z) { Normal(x, y, z); }

void TexCoord(double s, double t) {
  glTexCoord2d(s, t);
  if (IsRecording()) RecordTexCoord(s, t);
}

void TexCoordF(float s, float t) { TexCoord(s, t); }

void Vertex(double x, double y, double z) {
  glVertex3d(x, y, z);
  if (IsRecording()) RecordVertex(x, y, z);
}

void VertexF(float x, float y, float z) { Vertex(x, y, z); }
