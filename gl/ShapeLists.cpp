#include "ShapeLists.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <functional>

#include "GLView.h"
#include "Meshes.h"
#include "document/Element3D.h"
#include "document/ElementSanity.h"
#include "common/TIMem32.h"
#include "export/ObjExport.h"

namespace {
// Past this many shapes the ones the current frame does not use are dropped.
constexpr size_t kMaxShapes = 4096;

bool Cacheable(const ShapeKey& k) {
  if (k.kind < 0) return false;
  for (double v : k.p)
    if (!std::isfinite(v)) return false;
  return true;
}
}  // namespace

bool ShapeKey::operator==(const ShapeKey& o) const {
  return kind == o.kind && std::memcmp(p, o.p, sizeof p) == 0;
}

size_t ShapeKeyHash::operator()(const ShapeKey& k) const {
  size_t h = std::hash<int32_t>()(k.kind);
  for (double v : k.p) h = h * 1000003u ^ std::hash<double>()(v);
  return h;
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
  return k;
}

void EmitShape(const ShapeKey& k) {
  switch (k.kind) {
    case kCube: DrawBeveledBox(k.p[0], k.p[1], k.p[2], k.p[3], k.p[4]); break;
    case kCylinder: DrawBeveledCylinder(14, k.p[0], k.p[1], k.p[2], k.p[3]); break;
    case kSphere: DrawSphere(28, 28, k.p[0]); break;
    case kPanel: DrawBox(k.p[0], k.p[1], k.p[2]); break;
    default: break;
  }
}

void PrepareShapeLists(GLView& view, TIMem32* elements, const Element3D* extra) {
  if (ExportActive() || !view.Surface) return;
  if (!view.Shapes) view.Shapes = std::make_shared<ShapeListCache>();
  ShapeListCache& cache = *view.Shapes;
  const uint32_t frame = ++cache.frame;
  auto use = [&](const Element3D& e) {
    if (e.invisible || !IsDrawableElement(e)) return;
    const ShapeKey key = ShapeKeyOf(e);
    if (!Cacheable(key)) return;
    ShapeListCache::Entry& entry = cache.lists[key];
    entry.lastUsed = frame;
    if (entry.list != 0) return;
    entry.list = glGenLists(1);
    glNewList(entry.list, GL_COMPILE);
    EmitShape(key);
    glEndList();
  };
  if (cache.lists.size() > kMaxShapes) {
    for (auto it = cache.lists.begin(); it != cache.lists.end();) {
      if (it->second.lastUsed + 1 < frame) {
        glDeleteLists(it->second.list, 1);
        it = cache.lists.erase(it);
      } else {
        ++it;
      }
    }
  }
  if (elements)
    for (int32_t i = 0; i < elements->Count(); ++i) use(elements->As<Element3D>(i));
  if (extra) use(*extra);
}

unsigned ShapeListOf(const GLView& view, const ShapeKey& key) {
  if (!view.Shapes) return 0;
  const auto it = view.Shapes->lists.find(key);
  return it == view.Shapes->lists.end() ? 0 : it->second.list;
}

void ClearShapeLists(GLView& view) {
  if (!view.Shapes) return;
  for (const auto& [key, entry] : view.Shapes->lists)
    if (entry.list) glDeleteLists(entry.list, 1);
  view.Shapes.reset();
}
