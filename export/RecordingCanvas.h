#pragma once
#include <string>
#include <vector>

#include "document/Canvas.h"

// What the exports' canvases share: the colour given last, the element's
// placement applied to every vertex, and the counts of what was given.
// They draw nothing and keep every vertex.
//
// The placement is the element drawing's: one translation, replaced rather
// than added up, and then one turn about each axis (the last given), made
// about the translated origin in the order X, Y, Z (the drawing turns a mesh
// by translate * Rz * Ry * Rx). Push and Pop keep and restore it.
class RecordingCanvas : public Canvas {
 public:
  void Color(double r, double g, double b, double a) override;
  void PushTransform() override;
  void PopTransform() override;
  void Translate(double x, double y, double z) override;
  void Rotate(double degrees, double x, double y, double z) override;
  bool DrawsWithGL() const override { return false; }
  bool KeepsEveryVertex() const override { return true; }

  // Vertices, texture coordinates and normals given since the frame began.
  int VertexCount() const { return vertexCount_; }

 protected:
  // A colour, a push, a pop, a move or a turn was given: a canvas that
  // learns shapes (BeginShape) learns only those whose calls make nothing
  // but geometry.
  virtual void MoreThanGeometry() {}
  // A frame starts: counters and placement back to none, and the texture
  // folder read again (materials name files only inside it).
  void BeginRecordingFrame();
  // (x, y, z) placed in the world.
  void Place(double x, double y, double z, double p[3]);
  // Whether `texturePath` names a plain-named file of the texture folder
  // (the one place a material may point into); `file` is its name.
  bool NamesTextureFile(const std::string& texturePath, std::string& file) const;

  double color_[3] = {0, 0, 0};
  int vertexCount_ = 0, texCoordCount_ = 0, normalCount_ = 0;

 private:
  struct Placement {
    double translation[3] = {0, 0, 0};
    double angles[3] = {0, 0, 0};  // degrees about X, Y and Z
  };
  Placement placement_;
  std::vector<Placement> pushed_;
  // Sine and cosine of the last angle turned about X, Y and Z: an
  // element's vertices all turn by the same angles.
  double turnDegrees_[3] = {0, 0, 0}, turnSin_[3] = {0, 0, 0}, turnCos_[3] = {1, 1, 1};
  std::string textureFolder_;

  void Turn(double& a, double& b, double ca, double cb, int axis);
};

// Names go into one-line records: a control character (a line feed would
// start a record of its own) is written as "_".
std::string LineSafe(const std::string& text);
