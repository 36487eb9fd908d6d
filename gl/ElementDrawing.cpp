#include "ElementDrawing.h"

#include <GL/gl.h>

#include <cmath>

#include "ColorValue.h"
#include "DrawWrappers.h"
#include "GLView.h"
#include "LabelBitmap.h"
#include "LabelTextures.h"
#include "Meshes.h"
#include "ShapeLists.h"
#include "Textures.h"
#include "common/DataPath.h"
#include "common/PlainFileName.h"
#include "common/Utf8Text.h"
#include "document/Element3D.h"
#include "document/ElementSanity.h"
#include "common/TIMem32.h"
#include "export/ObjExport.h"
#include "export/ObjRecording.h"

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
  return DataPath("Vist3D/TEX/" + Latin1ToUtf8(textureName));
}

namespace {
// `lastUpload` is the image the shared slot received last in this run of
// elements: consecutive elements with the same image find it there already.
void DrawOneElement(GLView& view, Element3D& e, const TextureBitmap*& lastUpload) {
  if (e.invisible != 0 || !IsDrawableElement(e)) return;
  const std::string name = e.name.str();
  const bool label = !name.empty() && name[0] == '@';
  const uint32_t base = (label && name.find('=') == std::string::npos) ? 0xFFFFFFu : ResolveColor(e.color);

  // While an export only records, nothing here may touch OpenGL.
  const bool toGL = DrawingToGL();
  if (toGL) glBindTexture(GL_TEXTURE_2D, SlotTexture(view, 8));
  SetColor(RedOf(base) / 255.0, GreenOf(base) / 255.0, BlueOf(base) / 255.0, 1.0);
  // The element's transform lives on its own copy of the matrix: undoing it
  // by opposite turns would leave rounding behind for the next element.
  if (toGL) glPushMatrix();
  Translate(e.x, e.y, e.z);
  e.axy = NormalizeAngle(e.axy);
  e.ayz = NormalizeAngle(e.ayz);
  e.axz = NormalizeAngle(e.axz);
  if (ExportActive()) {
    ObjRecording& r = Recording();
    r.angleX = r.angleY = r.angleZ = 0;
  }
  if (e.axy != 0) Rotate(e.axy, 0, 0, 1);
  if (e.axz != 0) Rotate(e.axz, 0, 1, 0);
  if (e.ayz != 0) Rotate(e.ayz, 1, 0, 0);

  const std::string texture = e.texture.str();
  const std::string path = texture.empty() ? std::string() : TexturePath(texture);
  if (!toGL) {
    // Nothing is shown, so no label is painted; the texture is still looked
    // up, as drawing would, so that later names resolve to the same files.
    if (!path.empty() && !(e.kind == kCube && label && e.dy == 0)) TextureImage(path);
  } else if (path.empty() && !label) {
    glBindTexture(GL_TEXTURE_2D, 0);
  } else if (unsigned prepared = 0; e.kind == kCube && label && TakeLabelTexture(view, e, prepared)) {
    // Painted and uploaded before the frame was compiled; the shared slot
    // keeps what it had, so the next image is uploaded there again.
    if (prepared != 0) {
      glBindTexture(GL_TEXTURE_2D, prepared);
      view.Labels->slotStandIn = prepared;
    }
    lastUpload = nullptr;
  } else {
    const TextureBitmap* image = (e.kind == kCube && label) ? DrawLabelBitmap(name, e.color, path, e.dx, e.dy)
                                                             : TextureImage(path);
    if (image) {
      // A label's picture is repainted for each label, so it always goes.
      if (image != lastUpload || (e.kind == kCube && label)) {
        UploadTexture(view, kElementTextureSlot, *image);
        // An empty image changes only the slot's settings, not its picture.
        if (view.Labels && !image->empty()) view.Labels->slotStandIn = 0;
      }
      lastUpload = image;
      BindTexture(view, kElementTextureSlot);
      if (view.Labels && view.Labels->slotStandIn != 0 && view.Textures.size() > kElementTextureSlot)
        glBindTexture(GL_TEXTURE_2D, SlotTexture(view, view.Textures[kElementTextureSlot]));
    }
  }

  if (ExportActive()) {
    BeginObject(name);
    // A texture name that resolved to no file goes to the export as it
    // stands, which writes no texture line for it.
    DefineMaterial(name, path.empty() ? texture : path);
    double* center = Recording().rotationCenter;
    center[0] = e.x;
    center[1] = e.y;
    center[2] = e.z;
  }

  // The mesh by kind; a shape compiled for this frame is called instead of
  // generated again (never while an export records the vertices).
  const ShapeKey shape = ShapeKeyOf(e);
  if (const unsigned list = (ExportActive() || !toGL) ? 0 : ShapeListOf(view, shape))
    glCallList(list);
  else
    EmitShape(shape);

  if (!toGL) return;
  glPopMatrix();
  glBindTexture(GL_TEXTURE_2D, 0);
}

}  // namespace

void DrawElement(GLView& view, Element3D& e) {
  const TextureBitmap* lastUpload = nullptr;
  DrawOneElement(view, e, lastUpload);
}

void DrawElements(GLView& view, TIMem32& elements) {
  GLView copy = view;  // the drawing must not change the caller's view
  const TextureBitmap* lastUpload = nullptr;
  for (int32_t i = 0; i < elements.Count(); ++i) DrawOneElement(copy, elements.As<Element3D>(i), lastUpload);
}
