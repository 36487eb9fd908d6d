#include "DrawWrappers.h"

#include <GL/gl.h>

#include "export/ObjRecording.h"

// Each wrapper reads the recording state once: the export runs millions of
// these, and whether to draw and whether to record are both flags there.

void BeginPrimitive(unsigned mode) {
  ObjRecording& r = Recording();
  if (!r.recordOnly) glBegin(mode);
  if (r.active) RecordBeginPrimitive(static_cast<int>(mode));
}

void EndPrimitive() {
  ObjRecording& r = Recording();
  if (!r.recordOnly) glEnd();
  if (r.active) RecordEndPrimitive();
}

void SetColor(double red, double green, double blue, double a) {
  ObjRecording& r = Recording();
  if (!r.recordOnly)
    glColor4f(static_cast<float>(red), static_cast<float>(green), static_cast<float>(blue), static_cast<float>(a));
  if (r.active) RecordColor(red, green, blue);
}

void Rotate(double angle, double x, double y, double z) {
  ObjRecording& r = Recording();
  if (!r.recordOnly) glRotated(angle, x, y, z);
  if (r.active) RecordRotate(angle, x, y, z);
}

void Translate(double x, double y, double z) {
  ObjRecording& r = Recording();
  if (!r.recordOnly) glTranslated(x, y, z);
  if (r.active) RecordTranslate(x, y, z);
}

void Normal(double x, double y, double z) {
  ObjRecording& r = Recording();
  if (!r.recordOnly) glNormal3d(x, y, z);
  if (r.active) RecordNormal(x, y, z);
}

void NormalF(float x, float y, float z) { Normal(x, y, z); }

void TexCoord(double s, double t) {
  ObjRecording& r = Recording();
  if (!r.recordOnly) glTexCoord2d(s, t);
  if (r.active) RecordTexCoord(s, t);
}

void TexCoordF(float s, float t) { TexCoord(s, t); }

void Vertex(double x, double y, double z) {
  ObjRecording& r = Recording();
  if (!r.recordOnly) glVertex3d(x, y, z);
  if (r.active) RecordVertex(x, y, z);
}

void VertexF(float x, float y, float z) { Vertex(x, y, z); }

bool DrawingToGL() { return !Recording().recordOnly; }

RecordOnlyDrawing::RecordOnlyDrawing() : was_(Recording().recordOnly) { Recording().recordOnly = true; }

RecordOnlyDrawing::~RecordOnlyDrawing() { Recording().recordOnly = was_; }
