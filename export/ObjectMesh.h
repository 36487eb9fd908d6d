#pragma once
#include <cstdint>
#include <vector>

#include "RecordedObjReader.h"

// One element's recorded faces as an indexed triangle mesh for formats that
// want one (glTF, STL).
struct MeshVertex {
  float p[3];   // world position, Y up, as in the OBJ file
  float n[3];   // unit normal
  float uv[2];  // texture coordinate with V downwards (0,0 = top left of the image)
};

struct ObjectMesh {
  std::vector<MeshVertex> vertices;
  std::vector<uint32_t> indices;  // three per triangle, counter-clockwise seen from outside
  bool hasTexCoords = false;      // some corner had a texture coordinate
  float min[3] = {0, 0, 0}, max[3] = {0, 0, 0};  // of the positions used; zero when empty
};

// Corners that share position, texture coordinate and normal become one
// vertex. Every triangle is turned so that its winding agrees with the
// normals the drawing gave its corners (strips alternate their order; a
// reader culling back faces must not lose every other triangle). A corner
// without a usable normal gets its face's. Triangles with a position that is
// not finite are left out.
ObjectMesh BuildObjectMesh(const RecordedScene& scene, const RecordedObject& object);

// The unit normal of the triangle a, b, c (counter-clockwise); (0, 0, 0)
// for a degenerate one.
void FaceNormal(const float* a, const float* b, const float* c, float* out);
