#pragma once
#include "DrawWrappers.h"
#include "document/Canvas.h"

// The view's canvas: every call goes to the current OpenGL context in
// immediate mode, or into the display list being compiled.
class GLCanvas : public Canvas {
 public:
  void BeginPrimitive(Primitive mode) override;
  void EndPrimitive() override;
  void Color(double r, double g, double b, double a) override;
  void Normal(double x, double y, double z) override;
  void TexCoord(double s, double t) override;
  void Vertex(double x, double y, double z) override;
  void PushTransform() override;
  void PopTransform() override;
  void Translate(double x, double y, double z) override;
  void Rotate(double degrees, double x, double y, double z) override;
  bool DrawsWithGL() const override { return true; }
  bool KeepsEveryVertex() const override { return false; }
};

// The one OpenGL canvas: it holds nothing, the context holds the state.
GLCanvas& ViewCanvas();

// Draws in OpenGL and hands every call to `also` as well: a frame shown
// while an export keeps it.
class GLAndCanvas : public GLCanvas {
 public:
  explicit GLAndCanvas(Canvas& also) : also_(also) {}
  void BeginPrimitive(Primitive mode) override;
  void EndPrimitive() override;
  void Color(double r, double g, double b, double a) override;
  void Normal(double x, double y, double z) override;
  void TexCoord(double s, double t) override;
  void Vertex(double x, double y, double z) override;
  void PushTransform() override;
  void PopTransform() override;
  void Translate(double x, double y, double z) override;
  void Rotate(double degrees, double x, double y, double z) override;
  void BeginObject(const std::string& name) override { also_.BeginObject(name); }
  void Material(const std::string& name, const std::string& texturePath) override { also_.Material(name, texturePath); }
  bool KeepsEveryVertex() const override { return also_.KeepsEveryVertex(); }

 private:
  Canvas& also_;
};

// For its lifetime what the drawing wrappers draw is compiled into display
// list `list` of the current context (glNewList ... glEndList), whatever
// canvas was current before.
class CompiledList {
 public:
  explicit CompiledList(unsigned list);
  ~CompiledList();
  CompiledList(const CompiledList&) = delete;
  CompiledList& operator=(const CompiledList&) = delete;

 private:
  DrawInto view_;
};
