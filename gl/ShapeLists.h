#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <list>
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
  // Segments of a round shape's circles; 0: the shape's own count.
  int32_t segments = 0;
  bool operator==(const ShapeKey& o) const;
};

// The key's fields as bytes (no padding): equal for equal keys.
using ShapeKeyBytes = std::array<char, sizeof(int32_t) + 5 * sizeof(double) + sizeof(int32_t)>;
ShapeKeyBytes ShapeBytes(const ShapeKey& key);

struct ShapeKeyHash {
  size_t operator()(const ShapeKey& k) const;
};

// The shape an element is drawn and exported with. An element whose mesh
// would have no area (every vertex on one line, as with all three sizes 0)
// has none: it draws and exports no geometry.
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
    size_t bytes = 0;  // what the list holds, estimated
    // The normal calling the list leaves current: lines drawn after the
    // elements (boxes, cursor) are lit with it, even when the last element
    // was not drawn because it lies outside the view.
    float lastNormal[3] = {0, 0, 1};
    bool normalKnown = false;
    std::list<ShapeKey>::iterator use;  // its place in `byUse`
  };
  std::unordered_map<ShapeKey, Entry, ShapeKeyHash> lists;
  // The keys, most recently used first.
  std::list<ShapeKey> byUse;
  // What the lists hold together, and the most they may: past it the
  // least recently used lists are deleted, and while a frame itself needs
  // more, its further shapes are drawn without a list.
  size_t bytes = 0;
  size_t budget = size_t{128} << 20;
  uint32_t frame = 0;
  // Vertices the elements of the current frame sent, through lists or not.
  long long frameVertices = 0;
  // The floor grid, compiled for the reach it was drawn with.
  unsigned gridList = 0;
  double gridReach = -1;
};

// Starts a frame: the shapes it calls are marked as used by it.
void BeginShapeFrame(GLView& view);
// The compiled list of a shape, compiled now when it has none (outside any
// list being compiled); null when the shape is not cached (the view has no
// context, the key is not finite, or the lists this frame uses already fill
// the budget). For the view only: an export draws every shape itself.
ShapeListCache::Entry* UseShapeList(GLView& view, const ShapeKey& key);
// Right after calling the entry's list: remembers the normal it left.
void NoteShapeNormal(ShapeListCache::Entry& entry);
// Makes current the normal drawing the shape would leave, drawing nothing.
void LeaveShapeNormal(GLView& view, const ShapeKey& key);
// Deletes the least recently used lists while the cache holds more than
// its budget.
void ReleaseUnusedShapes(GLView& view);
// Calls the grid's list, compiling it first for a new reach.
void CallGridList(GLView& view);
// Deletes every list (the view's context must be current).
void ClearShapeLists(GLView& view);
