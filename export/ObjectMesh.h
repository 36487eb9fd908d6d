#pragma once
#include <cstdint>
#include <vector>

#include "RecordedObject.h"

// One element's recorded faces as an indexed triangle mesh for formats that
// want one (glTF).
struct MeshVertex {
  float p[3];   // world position, Y up, as in the OBJ file
  float n[3];   // unit normal
  float uv[2];  // texture coordinate with V downwards (0,0 = top left of the image)
};

struct ObjectMesh {
  std::vector<MeshVertex> vertices;
  std::vector<uint32_t> indices;                 // three per triangle, counter-clockwise seen from outside
  bool hasTexCoords = false;                     // some corner had a texture coordinate
  float min[3] = {0, 0, 0}, max[3] = {0, 0, 0};  // of the positions used; zero when empty
  std::vector<int64_t> cornerVertex;             // scratch: the vertex each corner became
  std::vector<uint32_t> vertexCorner;            // the corner each vertex was made of
};

// The mesh a learned shape makes, worked out once from its first element
// for every element that takes the shape again placed elsewhere: the same
// vertices of the same corners, with the same normals and texture
// coordinates, as long as every position stays finite and every triangle
// keeps its side. Only for a shape whose every corner has a normal of its
// own: a face's normal would change with the placement.
struct MeshPattern {
  size_t corners = 0;                     // the element's
  std::vector<uint32_t> vertexCorner;     // the corner each vertex takes its position from
  std::vector<uint32_t> indices;          // three per triangle
  std::vector<uint8_t> turned;            // each triangle's side
  std::vector<double> normalSums;         // each triangle's corners' normals added up: x, y, z
  std::vector<float> normals, texCoords;  // each vertex's, three and two
  bool hasTexCoords = false;
};
// False when the element (finished) has no pattern: a triangle left out, or
// a corner without its own normal.
bool MakeMeshPattern(const RecordedObject& finished, MeshPattern& pattern);
// Whether BuildObjectMesh makes `pattern`'s mesh of `object` (finished).
bool FollowsPattern(const RecordedObject& object, const MeshPattern& pattern);

// A recorded triangle turned so that its winding agrees with the normals the
// drawing gave its corners (strips alternate their order; a reader culling
// back faces must not lose every other triangle).
struct OrientedTriangle {
  int order[3];           // the corners (0..2 of the triangle) in their new order
  bool turned;            // the order changed
  float face[3];          // the unit normal of the turned triangle; zero when degenerate
  const float* given[3];  // each corner's own unit normal, or null
};

// Triangle `t` of `object` (its corners from triangles[3t]); false when a
// position is not finite, and such a triangle is left out. Without
// `faceWanted`, where every corner has its own normal and the side is sure
// without it, `face` is left zero: it is only worked out to turn.
bool OrientTriangle(const RecordedObject& object, size_t t, OrientedTriangle& out, bool faceWanted = true);

// Corners that share position, texture coordinate and normal become one
// vertex. A corner without a usable normal gets its face's. `mesh` is
// emptied first and keeps its memory.
void BuildObjectMesh(const RecordedObject& object, ObjectMesh& mesh);

// The unit normal of the triangle a, b, c (counter-clockwise); (0, 0, 0)
// for a degenerate one.
void FaceNormal(const float* a, const float* b, const float* c, float* out);
// FaceNormal(a, b, c, out), bit for bit, for a triangle OrientTriangle
// turned into a, b, c, given the `face` it worked out: no second square
// root and division.
void TurnedFaceNormal(const float* a, const float* b, const float* c, const float* face, float* out);
