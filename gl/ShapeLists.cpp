#include "ShapeLists.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "GLCanvas.h"
#include "GLView.h"
#include "Meshes.h"
#include "SceneFrame.h"
#include "ShapeDetail.h"
#include "document/Element3D.h"
#include "document/ElementSanity.h"

namespace {
// Compiled lists hold about this much per vertex sent (position, normal,
// texture coordinate and their bookkeeping), and a little per list.
constexpr size_t kListBytesPerVertex = 48, kListBytes = 256;

bool Cacheable(const ShapeKey& k) {
  if (k.kind < 0) return false;
  for (double v : k.p)
    if (!std::isfinite(v)) return false;
  return true;
}

// Whether every vertex of the shape's mesh would lie on one line through
// its centre: such a mesh shows nothing, however many triangles it has.
bool HasNoArea(const ShapeKey& k) {
  const double* p = k.p;
  const auto zeros = [&](int n) { return (p[0] == 0) + (p[1] == 0) + (p[2] == 0) >= n; };
  switch (k.kind) {
    case kCube:
      return p[3] == 0 && zeros(2);
    case kPanel:
      return zeros(2);
    case kSphere:
      return p[0] == 0;
    case kCylinder:
      return p[1] == 0 && p[2] == 0 && p[3] == 0;
    default:
      return false;
  }
}

void Forget(ShapeListCache& cache, std::unordered_map<ShapeKey, ShapeListCache::Entry, ShapeKeyHash>::iterator it) {
  if (it->second.list) glDeleteLists(it->second.list, 1);
  cache.bytes -= it->second.bytes;
  cache.byUse.erase(it->second.use);
  cache.lists.erase(it);
}

// Deletes least recently used lists, none the current frame uses, until
// `room` more bytes fit the budget; false when they still do not.
bool MakeRoom(ShapeListCache& cache, size_t room) {
  while (cache.bytes + room > cache.budget && !cache.byUse.empty()) {
    const auto oldest = cache.lists.find(cache.byUse.back());
    if (oldest->second.lastUsed == cache.frame) break;  // all the rest are this frame's
    Forget(cache, oldest);
  }
  return cache.bytes + room <= cache.budget;
}
}  // namespace

bool ShapeKey::operator==(const ShapeKey& o) const {
  return kind == o.kind && segments == o.segments && std::memcmp(p, o.p, sizeof p) == 0;
}

ShapeKeyBytes ShapeBytes(const ShapeKey& key) {
  static_assert(sizeof key.kind + sizeof key.p + sizeof key.segments == sizeof(ShapeKeyBytes));
  ShapeKeyBytes bytes;
  char* at = bytes.data();
  std::memcpy(at, &key.kind, sizeof key.kind);
  std::memcpy(at += sizeof key.kind, key.p, sizeof key.p);
  std::memcpy(at + sizeof key.p, &key.segments, sizeof key.segments);
  return bytes;
}

size_t ShapeKeyHash::operator()(const ShapeKey& k) const {
  size_t h = std::hash<int32_t>()(k.kind);
  for (double v : k.p) h = h * 1000003u ^ std::hash<double>()(v);
  return h * 1000003u ^ std::hash<int32_t>()(k.segments);
}

ShapeKey ShapeKeyOf(const Element3D& e) {
  ShapeKey k;
  const double hx = std::fabs(e.dx) / 2, hy = std::fabs(e.dy) / 2, hz = std::fabs(e.dz) / 2;
  const double m = e.dz < e.dx ? e.dz : e.dx;
  switch (e.kind) {
    case kCube:
      k.kind = kCube, k.p[0] = hx, k.p[1] = hy, k.p[2] = hz, k.p[3] = e.chamfer, k.p[4] = e.topPercent;
      break;
    case kCylinder:
      k.kind = kCylinder, k.p[0] = e.dy, k.p[1] = m / 2, k.p[2] = m / 2 * e.topPercent * 0.01, k.p[3] = e.chamfer;
      break;
    case kSphere:
      k.kind = kSphere, k.p[0] = (e.dy < m ? e.dy : m) / 2;
      break;
    case kPanel:
      k.kind = kPanel, k.p[0] = hx, k.p[1] = hy, k.p[2] = hz;
      break;
    default:
      break;
  }
  // Zero-sized elements of a hostile file would otherwise each send a whole
  // mesh of coinciding vertices to the view and to every export.
  if (HasNoArea(k)) return ShapeKey{};
  return k;
}

void EmitShape(const ShapeKey& k) {
  switch (k.kind) {
    case kCube:
      DrawBeveledBox(k.p[0], k.p[1], k.p[2], k.p[3], k.p[4]);
      break;
    case kCylinder:
      DrawBeveledCylinder(k.segments > 0 ? k.segments : 14, k.p[0], k.p[1], k.p[2], k.p[3]);
      break;
    case kSphere: {
      const int n = k.segments > 0 ? k.segments : 28;
      DrawSphere(n, n, k.p[0]);
      break;
    }
    case kPanel:
      DrawBox(k.p[0], k.p[1], k.p[2]);
      break;
    default:
      break;
  }
}

double ShapeReach(const ShapeKey& k) {
  if (!Cacheable(k)) return INFINITY;
  const double* p = k.p;
  switch (k.kind) {
    case kCube: {
      // Bevels and a narrower or wider top move corners by at most these.
      const double c = std::fabs(p[3]), top = std::fmax(1.0, std::fabs(p[4]) * 0.01);
      const double x = p[0] * top + c, y = p[1] + c, z = p[2] * top + c;
      return std::sqrt(x * x + y * y + z * z);
    }
    case kCylinder: {
      const double r = std::fmax(std::fabs(p[1]), std::fabs(p[2])) + std::fabs(p[3]);
      const double h = std::fabs(p[0]) + std::fabs(p[3]);
      return std::sqrt(r * r + h * h);
    }
    case kSphere:
      return std::fabs(p[0]);
    case kPanel:
      return std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]);
    default:
      return INFINITY;
  }
}

bool ShapeIsClosed(const ShapeKey& k) {
  if (!Cacheable(k)) return false;
  const double* p = k.p;
  switch (k.kind) {
    // Plain boxes only: the pictures of spheres and of bevelled or tapered
    // boxes change when their back faces are left out.
    case kCube:
      return p[3] == 0 && p[4] == 100 && p[0] > 0 && p[1] > 0 && p[2] > 0;
    case kPanel:
      return p[0] > 0 && p[1] > 0 && p[2] > 0;
    default:
      return false;
  }
}

void BeginShapeFrame(GLView& view) {
  if (!view.Shapes) view.Shapes = std::make_shared<ShapeListCache>();
  ++view.Shapes->frame;
  view.Shapes->frameVertices = 0;
}

ShapeListCache::Entry* UseShapeList(GLView& view, const ShapeKey& key) {
  if (!view.Surface || !Cacheable(key)) return nullptr;
  if (!view.Shapes) view.Shapes = std::make_shared<ShapeListCache>();
  ShapeListCache& cache = *view.Shapes;
  const auto found = cache.lists.find(key);
  if (found != cache.lists.end()) {
    ShapeListCache::Entry& entry = found->second;
    entry.lastUsed = cache.frame;
    cache.byUse.splice(cache.byUse.begin(), cache.byUse, entry.use);
    return &entry;
  }
  const size_t bytes = static_cast<size_t>(ShapeVertexCount(key)) * kListBytesPerVertex + kListBytes;
  if (!MakeRoom(cache, bytes)) return nullptr;  // drawn without a list
  cache.byUse.push_front(key);
  ShapeListCache::Entry& entry = cache.lists[key];
  entry.use = cache.byUse.begin();
  entry.lastUsed = cache.frame;
  entry.bytes = bytes;
  cache.bytes += bytes;
  entry.list = glGenLists(1);
  {
    const CompiledList compiling(entry.list);
    EmitShape(key);
  }
  return &entry;
}

void LeaveShapeNormal(GLView& view, const ShapeKey& key) {
  ShapeListCache::Entry* entry = nullptr;
  if (view.Shapes) {
    const auto found = view.Shapes->lists.find(key);
    if (found != view.Shapes->lists.end()) entry = &found->second;
  }
  if (entry && entry->normalKnown) {
    glNormal3fv(entry->lastNormal);
    return;
  }
  // Drawn once where nothing is written, only for the state it leaves.
  GLboolean depth = GL_TRUE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depth);
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  glDepthMask(GL_FALSE);
  if (entry)
    glCallList(entry->list);
  else
    EmitShape(key);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(depth);
  if (entry) NoteShapeNormal(*entry);
}

void NoteShapeNormal(ShapeListCache::Entry& entry) {
  if (entry.normalKnown) return;
  glGetFloatv(GL_CURRENT_NORMAL, entry.lastNormal);
  entry.normalKnown = true;
}

void ReleaseUnusedShapes(GLView& view) {
  if (view.Shapes) MakeRoom(*view.Shapes, 0);
}

void CallGridList(GLView& view) {
  if (!view.Shapes) view.Shapes = std::make_shared<ShapeListCache>();
  ShapeListCache& cache = *view.Shapes;
  const double reach = view.OrthoMax[1];
  if (cache.gridList == 0 || !(cache.gridReach == reach)) {
    if (cache.gridList == 0) cache.gridList = glGenLists(1);
    const CompiledList compiling(cache.gridList);
    DrawGrid(view);
    cache.gridReach = reach;
  }
  glCallList(cache.gridList);
}

void ClearShapeLists(GLView& view) {
  if (!view.Shapes) return;
  for (const auto& [key, entry] : view.Shapes->lists)
    if (entry.list) glDeleteLists(entry.list, 1);
  view.Shapes->lists.clear();
  view.Shapes->byUse.clear();
  view.Shapes->bytes = 0;
  if (view.Shapes->gridList) glDeleteLists(view.Shapes->gridList, 1);
  view.Shapes.reset();
}
