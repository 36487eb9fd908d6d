#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>

struct Element3D;
struct GLView;

// An element's mesh depends only on its kind and its shape fields, not on
// where it stands or how it is turned. Each distinct shape is compiled once
// into its own display list, which every frame calls: moving, turning,
// adding or deleting elements generates no geometry, and a resized element
// only its own new shape.

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
// A radius around the element's centre that holds every vertex of the
// shape, however it is turned; infinity when it cannot be bounded.
double ShapeReach(const ShapeKey& key);

// Whether the shape is a closed box whose faces all turn clockwise (seen
// from outside): its back faces are never seen from outside it.
bool ShapeIsClosed(const ShapeKey& key);

struct ShapeListCache {
  struct Entry {
    unsigned list = 0;
    uint32_t lastUsed = 0;
    // The normal calling the list leaves current: lines drawn after the
    // elements (boxes, cursor) are lit with it, even when the last element
    // was not drawn because it lies outside the view.
    float lastNormal[3] = {0, 0, 1};
    bool normalKnown = false;
  };
  std::unordered_map<ShapeKey, Entry, ShapeKeyHash> lists;
  uint32_t frame = 0;
  // The floor grid, compiled for the reach it was drawn with.
  unsigned gridList = 0;
  double gridReach = -1;
};

// Starts a frame: the shapes it calls are marked as used by it.
void BeginShapeFrame(GLView& view);
// The compiled list of a shape, compiled now when it has none (outside any
// list being compiled); null when the shape is not cached (an OBJ export is
// recording, the view has no context, or the key is not finite).
ShapeListCache::Entry* UseShapeList(GLView& view, const ShapeKey& key);
// Right after calling the entry's list: remembers the normal it left.
void NoteShapeNormal(ShapeListCache::Entry& entry);
// Makes current the normal calling the entry's list would leave.
void LeaveShapeNormal(ShapeListCache::Entry& entry);
// Deletes the lists no element of the frame used.
void ReleaseUnusedShapes(GLView& view);
// Calls the grid's list, compiling it first for a new reach.
void CallGridList(GLView& view);
// Deletes every list (the view's context must be current).
void ClearShapeLists(GLView& view);
