#include "GLCanvas.h"

#include <GL/gl.h>

static_assert(static_cast<unsigned>(Primitive::Points) == GL_POINTS &&
                  static_cast<unsigned>(Primitive::Lines) == GL_LINES &&
                  static_cast<unsigned>(Primitive::LineLoop) == GL_LINE_LOOP &&
                  static_cast<unsigned>(Primitive::LineStrip) == GL_LINE_STRIP &&
                  static_cast<unsigned>(Primitive::Triangles) == GL_TRIANGLES &&
                  static_cast<unsigned>(Primitive::TriangleStrip) == GL_TRIANGLE_STRIP &&
                  static_cast<unsigned>(Primitive::TriangleFan) == GL_TRIANGLE_FAN &&
                  static_cast<unsigned>(Primitive::Quads) == GL_QUADS &&
                  static_cast<unsigned>(Primitive::QuadStrip) == GL_QUAD_STRIP &&
                  static_cast<unsigned>(Primitive::Polygon) == GL_POLYGON,
              "a canvas primitive is OpenGL's number for it");

void GLCanvas::BeginPrimitive(Primitive mode) { glBegin(static_cast<GLenum>(mode)); }
void GLCanvas::EndPrimitive() { glEnd(); }
void GLCanvas::Color(double r, double g, double b, double a) {
  glColor4f(static_cast<float>(r), static_cast<float>(g), static_cast<float>(b), static_cast<float>(a));
}
void GLCanvas::Normal(double x, double y, double z) { glNormal3d(x, y, z); }
void GLCanvas::TexCoord(double s, double t) { glTexCoord2d(s, t); }
void GLCanvas::Vertex(double x, double y, double z) { glVertex3d(x, y, z); }
void GLCanvas::PushTransform() { glPushMatrix(); }
void GLCanvas::PopTransform() { glPopMatrix(); }
void GLCanvas::Translate(double x, double y, double z) { glTranslated(x, y, z); }
void GLCanvas::Rotate(double degrees, double x, double y, double z) { glRotated(degrees, x, y, z); }

GLCanvas& ViewCanvas() {
  static GLCanvas canvas;
  return canvas;
}

void GLAndCanvas::BeginPrimitive(Primitive mode) {
  GLCanvas::BeginPrimitive(mode);
  also_.BeginPrimitive(mode);
}
void GLAndCanvas::EndPrimitive() {
  GLCanvas::EndPrimitive();
  also_.EndPrimitive();
}
void GLAndCanvas::Color(double r, double g, double b, double a) {
  GLCanvas::Color(r, g, b, a);
  also_.Color(r, g, b, a);
}
void GLAndCanvas::Normal(double x, double y, double z) {
  GLCanvas::Normal(x, y, z);
  also_.Normal(x, y, z);
}
void GLAndCanvas::TexCoord(double s, double t) {
  GLCanvas::TexCoord(s, t);
  also_.TexCoord(s, t);
}
void GLAndCanvas::Vertex(double x, double y, double z) {
  GLCanvas::Vertex(x, y, z);
  also_.Vertex(x, y, z);
}
void GLAndCanvas::PushTransform() {
  GLCanvas::PushTransform();
  also_.PushTransform();
}
void GLAndCanvas::PopTransform() {
  GLCanvas::PopTransform();
  also_.PopTransform();
}
void GLAndCanvas::Translate(double x, double y, double z) {
  GLCanvas::Translate(x, y, z);
  also_.Translate(x, y, z);
}
void GLAndCanvas::Rotate(double degrees, double x, double y, double z) {
  GLCanvas::Rotate(degrees, x, y, z);
  also_.Rotate(degrees, x, y, z);
}

CompiledList::CompiledList(unsigned list) : view_(ViewCanvas()) { glNewList(list, GL_COMPILE); }
CompiledList::~CompiledList() { glEndList(); }
