#pragma once
#include <string>
#include <string_view>

// The primitives a canvas takes. Numbered as OpenGL numbers its own, so the
// OpenGL canvas hands them on unchanged (gl/GLCanvas.cpp checks this).
enum class Primitive : unsigned {
  Points = 0,
  Lines = 1,
  LineLoop = 2,
  LineStrip = 3,
  Triangles = 4,
  TriangleStrip = 5,
  TriangleFan = 6,
  Quads = 7,
  QuadStrip = 8,
  Polygon = 9,
};

// What the element drawing draws into: the view's OpenGL context, or an
// export that keeps the geometry as text or numbers. The meshes are the
// same calls either way, so every export carries what the view shows.
class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual void BeginPrimitive(Primitive mode) = 0;
  virtual void EndPrimitive() = 0;
  virtual void Color(double r, double g, double b, double a) = 0;
  // A normal and a texture coordinate hold for the vertices given after them.
  virtual void Normal(double x, double y, double z) = 0;
  virtual void TexCoord(double s, double t) = 0;
  virtual void Vertex(double x, double y, double z) = 0;

  // An element's placement: pushed, translated, turned about the axes in
  // the order given (each turn about one axis), drawn, popped.
  virtual void PushTransform() = 0;
  virtual void PopTransform() = 0;
  virtual void Translate(double x, double y, double z) = 0;
  virtual void Rotate(double degrees, double x, double y, double z) = 0;

  // An element begins (an export names an object after it) and takes its
  // material: the colour given last and the texture's path. The view needs
  // neither.
  virtual void BeginObject(const std::string& name) { (void)name; }
  virtual void Material(const std::string& name, const std::string& texturePath) { (void)name, (void)texturePath; }

  // The element's shape is drawn next, ended by EndShape; `key` is the
  // same bytes whenever the shape is. A canvas that can take the shape
  // without its calls (having taken it before) returns true, and the shape
  // is then not drawn, nor EndShape called.
  virtual bool BeginShape(std::string_view key) {
    (void)key;
    return false;
  }
  virtual void EndShape() {}

  // Whether the calls reach OpenGL: drawing that calls OpenGL itself (the
  // textures, the lists, the culling) asks this first.
  virtual bool DrawsWithGL() const = 0;
  // Whether every vertex is kept (an export): shapes are then drawn whole,
  // none is left out or reduced for the view, and none comes from a list.
  virtual bool KeepsEveryVertex() const = 0;
};
