#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>

struct Element3D;
struct GLView;
class TIMem32;

// An element's mesh depends only on its kind and its shape fields, not on
// where it stands or how it is turned. Each distinct shape is compiled once
// into its own display list, and the scene calls it: a frame that only
// moves or turns elements does not generate their geometry again.

struct ShapeKey {
  int32_t kind = -1;  // -1: nothing to draw
  double p[5] = {0, 0, 0, 0, 0};
  bool operator==(const ShapeKey& o) const;
};

struct ShapeKeyHash {
  size_t operator()(const ShapeKey& k) const;
};

ShapeKey ShapeKeyOf(const Element3D& e);
// Emits the mesh of a shape through the drawing wrappers.
void EmitShape(const ShapeKey& key);

struct ShapeListCache {
  struct Entry {
    unsigned list = 0;
    uint32_t lastUsed = 0;
  };
  std::unordered_map<ShapeKey, Entry, ShapeKeyHash> lists;
  uint32_t frame = 0;
};

// Compiles the lists the coming frame needs (outside any list being
// compiled). Does nothing while an OBJ export records the geometry. Shapes
// not used by this frame are dropped once there are many of them.
void PrepareShapeLists(GLView& view, TIMem32* elements, const Element3D* extra);
// The compiled list of a shape, 0 when there is none.
unsigned ShapeListOf(const GLView& view, const ShapeKey& key);
// Deletes every list (the view's context must be current).
void ClearShapeLists(GLView& view);
