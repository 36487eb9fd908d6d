#pragma once

class Canvas;

// Every element's geometry is drawn through these thin wrappers; each hands
// its call to the current canvas (DrawInto). The view's OpenGL canvas is
// the default and is called directly: the view draws millions of vertices,
// and then each wrapper costs one test of a pointer.
void BeginPrimitive(unsigned mode);  // an OpenGL primitive constant
void EndPrimitive();
void SetColor(double r, double g, double b, double a);
void Rotate(double angle, double x, double y, double z);
void Translate(double x, double y, double z);
void Normal(double x, double y, double z);
void NormalF(float x, float y, float z);
void TexCoord(double s, double t);
void TexCoordF(float s, float t);
void Vertex(double x, double y, double z);
void VertexF(float x, float y, float z);

// The canvas the wrappers draw into now.
Canvas& CurrentCanvas();
// Whether the current canvas reaches OpenGL. Drawing code that calls
// OpenGL itself asks this first.
bool DrawingToGL();

// For its lifetime the wrappers draw into `canvas`; then into the one
// before. An export canvas makes no OpenGL calls, so the same drawing code
// writes an export without a context.
class DrawInto {
 public:
  explicit DrawInto(Canvas& canvas);
  ~DrawInto();
  DrawInto(const DrawInto&) = delete;
  DrawInto& operator=(const DrawInto&) = delete;

 private:
  Canvas* previous_;
};
