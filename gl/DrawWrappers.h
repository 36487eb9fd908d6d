#pragma once

// Every element's geometry is drawn through these thin wrappers. Each makes
// its OpenGL call; while an OBJ export is recording it also writes what it
// was given (see export/ObjRecording.h). When not recording the cost is one
// test of a flag. Inside a RecordOnlyDrawing the OpenGL calls are skipped.
void BeginPrimitive(unsigned mode);
void EndPrimitive();
void SetColor(double r, double g, double b, double a);
void Rotate(double angle, double x, double y, double z);
// The recorded translation is replaced, not accumulated.
void Translate(double x, double y, double z);
void Normal(double x, double y, double z);
void NormalF(float x, float y, float z);
void TexCoord(double s, double t);
void TexCoordF(float s, float t);
void Vertex(double x, double y, double z);
void VertexF(float x, float y, float z);

// Whether drawing goes to OpenGL (false inside a RecordOnlyDrawing). Drawing
// code that calls OpenGL itself asks this first.
bool DrawingToGL();

// For its lifetime the drawing makes no OpenGL calls at all: the wrappers
// only record, so the same drawing code writes an export without a context.
class RecordOnlyDrawing {
 public:
  RecordOnlyDrawing();
  ~RecordOnlyDrawing();
  RecordOnlyDrawing(const RecordOnlyDrawing&) = delete;
  RecordOnlyDrawing& operator=(const RecordOnlyDrawing&) = delete;

 private:
  bool was_;
};
