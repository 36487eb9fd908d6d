#pragma once
#include <cstddef>
#include <string>

#include "DrawWrappers.h"
#include "ShapeDetail.h"
#include "ShapeLists.h"

class Canvas;
class TIMem32;
struct Element3D;
struct GLView;

// Draws elements one after another into `canvas` as one frame meets them
// (the drawing wrappers draw into it meanwhile): the texture an element without a readable image shows, and
// the lines after the last element, depend on the elements before. With a
// context it binds the shapes' compiled lists and the images' and labels'
// texture objects (the labels prepared by PrepareLabelTextures), leaves
// out elements wholly outside the view and the back faces of closed solids.
// `detail` says how much of each shape the view draws (exports record every
// shape whole whatever it says). An export's canvas sees no OpenGL call.
class ElementPass {
 public:
  ElementPass(GLView& view, Canvas& canvas, bool skipOutsideView = true, DrawDetail detail = DrawDetail::Exact);
  ~ElementPass();
  ElementPass(const ElementPass&) = delete;
  ElementPass& operator=(const ElementPass&) = delete;
  void Draw(Element3D& element);
  // Lines drawn after the elements are lit with the normal the last element
  // leaves: when it was left out, that normal is made current now.
  void LeaveLastNormal();

 private:
  unsigned TextureOf(const Element3D& e, bool label, const std::string& path, bool& plain);
  bool OutsideView(const Element3D& e, double reach) const;
  bool BeyondNearPlane(const Element3D& e, double reach) const;
  // Screen pixels per model unit at the element's nearest reach; 0 when
  // unknown or when the element reaches the eye.
  double PixelsPerUnit(const Element3D& e, double reach) const;
  void CullBackFaces(bool on);

  GLView& view_;
  Canvas& canvas_;
  DrawInto into_;
  unsigned slot_ = 0;  // the last image's texture
  size_t labels_ = 0;  // labels met so far
  bool cull_ = false;
  bool culling_ = false;
  double planes_[6][4] = {};
  DrawDetail detail_;
  double clipW_[4] = {};  // the clip-space w of a point: its depth before the eye
  bool perspective_ = false;
  double pixelScale_ = 0;  // pixels per unit at depth 1 (perspective) or anywhere (parallel)
  bool pending_ = false;   // the last element was left out
  ShapeKey pendingShape_;
};

// Draws one element into `canvas` (the current one unless given): colour,
// texture, position and turns on a pushed copy of the transform, then its
// mesh by kind, then pops the transform. Brings the element's three angles
// into -180..180 and stores them back. Invisible elements, and elements
// that fail IsDrawableElement, draw nothing and are left untouched.
void DrawElement(GLView& view, Element3D& element, Canvas& canvas = CurrentCanvas());
// Every element of the store (Element3D records), first to last.
void DrawElements(GLView& view, TIMem32& elements, Canvas& canvas = CurrentCanvas());

// The angle brought into -180..180 (both ends kept as they are), exactly
// for any magnitude; NaN and infinities come back unchanged.
double NormalizeAngle(double angle);

// Where an element's texture file lives: the texture folder beside the
// program, matched case-insensitively. Empty for a name that is no plain
// file name (IsPlainFileName): such a texture is drawn as none.
std::string TexturePath(const std::string& textureName);
