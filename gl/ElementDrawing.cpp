#include "ElementDrawing.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "ColorValue.h"
#include "DrawWrappers.h"
#include "GLView.h"
#include "ImageTextures.h"
#include "LabelTextures.h"
#include "Meshes.h"
#include "ShapeLists.h"
#include "Textures.h"
#include "common/PlainFileName.h"
#include "common/TIMem32.h"
#include "common/Utf8Text.h"
#include "document/Canvas.h"
#include "document/Element3D.h"
#include "document/ElementSanity.h"

double NormalizeAngle(double a) {
  // NaN and infinities have no place on the circle: left as they are.
  if (!std::isfinite(a)) return a;
  // fmod is exact for any magnitude; "+ 0.0" turns a remainder of -0 into 0.
  if (std::fabs(a) >= 360) a = std::fmod(a, 360.0) + 0.0;
  if (a > 180)
    a -= 360;
  else if (a < -180)
    a += 360;
  return a;
}

std::string TexturePath(const std::string& textureName) {
  // A name from a document that could leave the texture folder names no file.
  if (!IsPlainFileName(textureName)) return {};
  // Resolving a path touches the file system; a cached image knows its own.
  if (const std::string* cached = CachedTexturePath(textureName)) return *cached;
  // The document holds the name in Latin-1; the file's name is UTF-8.
  return TextureFilePath(Latin1ToUtf8(textureName));
}

namespace {
// The six planes of the view (a x + b y + c z + d >= 0 inside), scaled so
// that a sphere's distance can be compared with its radius.
bool ViewPlanes(double planes[6][4], double clipW[4], double pr[16]) {
  double mv[16], m[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) {
      double v = 0;
      for (int k = 0; k < 4; ++k) v += pr[k * 4 + r] * mv[c * 4 + k];
      m[c * 4 + r] = v;
    }
  auto row = [&](int r, int i) { return m[i * 4 + r]; };
  for (int i = 0; i < 4; ++i) clipW[i] = row(3, i);
  for (int p = 0; p < 6; ++p) {
    const int r = p / 2;
    const double sign = p % 2 ? -1 : 1;
    double length = 0;
    for (int i = 0; i < 4; ++i) {
      planes[p][i] = row(3, i) + sign * row(r, i);
      if (i < 3) length += planes[p][i] * planes[p][i];
    }
    length = std::sqrt(length);
    if (!(length > 0) || !std::isfinite(length)) return false;
    for (double& v : planes[p]) v /= length;
  }
  return true;
}
}  // namespace

ElementPass::ElementPass(GLView& view, Canvas& canvas, bool skipOutsideView, DrawDetail detail)
    : view_(view), canvas_(canvas), into_(canvas), detail_(detail) {
  // Untextured elements bind nothing: the pass starts with no texture bound.
  if (canvas.DrawsWithGL()) glBindTexture(GL_TEXTURE_2D, 0);
  if (!skipOutsideView || !canvas.DrawsWithGL() || canvas.KeepsEveryVertex() || !view.Surface) {
    detail_ = DrawDetail::Exact;
    return;
  }
  double pr[16];
  cull_ = ViewPlanes(planes_, clipW_, pr);
  GLint viewport[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, viewport);
  perspective_ = pr[11] != 0;
  pixelScale_ = std::max(std::fabs(pr[0]) * viewport[2], std::fabs(pr[5]) * viewport[3]) / 2;
  if (!cull_ || !std::isfinite(pixelScale_)) detail_ = DrawDetail::Exact;
}

ElementPass::~ElementPass() {
  LeaveLastNormal();
  if (culling_) glDisable(GL_CULL_FACE);
}

double ElementPass::PixelsPerUnit(const Element3D& e, double reach) const {
  if (!cull_ || !std::isfinite(reach)) return 0;
  const double w = clipW_[0] * e.x + clipW_[1] * e.y + clipW_[2] * e.z + clipW_[3];
  if (!perspective_) return pixelScale_ / w;
  if (!(w > 2 * reach)) return 0;
  return pixelScale_ / (w - reach);
}

void ElementPass::LeaveLastNormal() {
  if (!pending_) return;
  pending_ = false;
  LeaveShapeNormal(view_, pendingShape_);
}

void ElementPass::CullBackFaces(bool on) {
  if (on == culling_) return;
  culling_ = on;
  if (on) {
    glFrontFace(GL_CW);
    glCullFace(GL_BACK);
    glEnable(GL_CULL_FACE);
  } else {
    glDisable(GL_CULL_FACE);
  }
}

bool ElementPass::BeyondNearPlane(const Element3D& e, double reach) const {
  if (!cull_ || !std::isfinite(reach)) return false;
  const double* p = planes_[4];
  return p[0] * e.x + p[1] * e.y + p[2] * e.z + p[3] > reach;
}

bool ElementPass::OutsideView(const Element3D& e, double reach) const {
  if (!cull_ || !std::isfinite(reach)) return false;
  const double c[3] = {e.x, e.y, e.z};
  if (!std::isfinite(c[0]) || !std::isfinite(c[1]) || !std::isfinite(c[2])) return false;
  for (const auto& p : planes_)
    if (p[0] * c[0] + p[1] * c[1] + p[2] * c[2] + p[3] < -reach) return true;
  return false;
}

// The texture an element is drawn with. An element whose image is missing
// (or a label of no height) shows what the last image of the frame was.
// A label past the frame's picture budget is drawn as a plain face of its
// colour (`plain`).
unsigned ElementPass::TextureOf(const Element3D& e, bool label, const std::string& path, bool& plain) {
  if (!view_.HasTextures) return 0;
  if (path.empty() && !label) return 0;
  if (e.kind == kCube && label) {
    const LabelTextureSet::Label* prepared = PreparedLabel(view_, labels_++);
    if (!prepared || prepared->plain) {
      plain = true;
      return 0;
    }
    if (prepared->texture != 0) slot_ = prepared->texture;
    return slot_;
  }
  const TextureBitmap* image = path.empty() ? nullptr : TextureImage(path);
  if (image && !image->empty()) slot_ = ImageTexture(view_, *image);
  return slot_;
}

void ElementPass::Draw(Element3D& e) {
  if (e.invisible != 0 || !IsDrawableElement(e)) return;
  const std::string name = e.name.str();
  const bool label = !name.empty() && name[0] == '@';
  e.axy = NormalizeAngle(e.axy);
  e.ayz = NormalizeAngle(e.ayz);
  e.axz = NormalizeAngle(e.axz);
  const std::string texture = e.texture.str();
  const std::string path = texture.empty() ? std::string() : TexturePath(texture);

  // A canvas without OpenGL (an export) may not see a call of it here.
  const bool toGL = canvas_.DrawsWithGL();
  unsigned bound = 0;
  bool plain = false;
  if (toGL) {
    bound = TextureOf(e, label, path, plain);
  } else if (!path.empty() && !(e.kind == kCube && label && e.dy == 0)) {
    // Nothing is shown, so no label is painted; the texture is still looked
    // up, as drawing would, so that later names resolve to the same files.
    TextureImage(path);
  }
  const ShapeKey shape = ShapeKeyOf(e);
  const bool white = label && !plain && name.find('=') == std::string::npos;
  const uint32_t base = white ? 0xFFFFFFu : ResolveColor(e.color);
  canvas_.Color(RedOf(base) / 255.0, GreenOf(base) / 255.0, BlueOf(base) / 255.0, 1.0);
  // Only a frame on screen leaves out, reduces and caches shapes; an
  // export keeps every one whole.
  const bool viewed = toGL && !canvas_.KeepsEveryVertex() && view_.Surface;
  const double reach = viewed ? ShapeReach(shape) : INFINITY;
  // Decided before the shape is compiled: what lies outside the view costs
  // no list.
  ShapeKey drawn = shape;
  if (viewed && !OutsideView(e, reach) && detail_ != DrawDetail::Exact)
    drawn = ShapeForView(shape, PixelsPerUnit(e, reach), detail_);
  if (viewed && (OutsideView(e, reach) || (drawn.kind < 0 && shape.kind >= 0))) {
    pending_ = true;
    pendingShape_ = shape;
    return;
  }
  if (drawn.kind >= 0) pending_ = false;
  ShapeListCache::Entry* list = viewed ? UseShapeList(view_, drawn) : nullptr;
  if (viewed && view_.Shapes) view_.Shapes->frameVertices += ShapeVertexCount(drawn);
  // The pass starts with no texture bound and every textured element
  // unbinds its own (making a texture keeps the binding), so an untextured
  // element binds nothing: a bind, even of what is bound, costs the
  // renderer a state change per element.
  if (toGL && bound != 0) glBindTexture(GL_TEXTURE_2D, bound);
  // The element's transform lives on its own copy of the matrix: undoing it
  // by opposite turns would leave rounding behind for the next element.
  canvas_.PushTransform();
  canvas_.Translate(e.x, e.y, e.z);
  if (e.axy != 0) canvas_.Rotate(e.axy, 0, 0, 1);
  if (e.axz != 0) canvas_.Rotate(e.axz, 0, 1, 0);
  if (e.ayz != 0) canvas_.Rotate(e.ayz, 1, 0, 0);
  canvas_.BeginObject(name);
  // A texture name that resolved to no file goes to an export as it stands,
  // which names no texture file for it.
  canvas_.Material(name, path.empty() ? texture : path);

  // The mesh by kind: the shape's compiled list, generated only for an
  // export (which keeps every vertex), for a shape that cannot be cached, or
  // while the shapes this frame uses fill the cache.
  // Back faces of a closed solid lying wholly in front of the eye are
  // hidden by its front faces; in a wire frame they show.
  if (viewed) CullBackFaces(view_.Solid && ShapeIsClosed(drawn) && BeyondNearPlane(e, reach));
  if (list) {
    glCallList(list->list);
    NoteShapeNormal(*list);
  } else if (const ShapeKeyBytes key = ShapeBytes(drawn); !canvas_.BeginShape({key.data(), key.size()})) {
    EmitShape(drawn);
    canvas_.EndShape();
  }

  canvas_.PopTransform();
  if (toGL && bound != 0) glBindTexture(GL_TEXTURE_2D, 0);
}

void DrawElement(GLView& view, Element3D& e, Canvas& canvas) {
  const DrawInto into(canvas);
  PrepareLabelTextures(view, nullptr, &e);
  ElementPass pass(view, canvas);
  pass.Draw(e);
}

void DrawElements(GLView& view, TIMem32& elements, Canvas& canvas) {
  const DrawInto into(canvas);
  PrepareLabelTextures(view, &elements, nullptr);
  ElementPass pass(view, canvas);
  for (int32_t i = 0; i < elements.Count(); ++i) pass.Draw(elements.As<Element3D>(i));
}
