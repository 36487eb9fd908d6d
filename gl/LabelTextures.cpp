#include "LabelTextures.h"

#include <GL/gl.h>

#include <exception>
#include <string>
#include <unordered_map>

#include "DrawWrappers.h"
#include "ElementDrawing.h"
#include "GLView.h"
#include "LabelBitmap.h"
#include "Textures.h"
#include "document/Element3D.h"
#include "document/ElementSanity.h"
#include "common/TIMem32.h"

namespace {
// A frame with more distinct pictures than this paints the rest while it is
// compiled, as every label once was: textures of their own would then only
// add to the copies the compiled frame holds.
constexpr size_t kMaxLabelTextures = 256;

// Whether the frame paints a picture for `e`: the same test element drawing makes.
bool DrawsLabelPicture(const Element3D& e) {
  if (e.invisible != 0 || !IsDrawableElement(e) || e.kind != kCube) return false;
  const std::string name = e.name.str();
  return !name.empty() && name[0] == '@';
}
}  // namespace

void PrepareLabelTextures(GLView& view, TIMem32* elements, const Element3D* extra) {
  if (!DrawingToGL()) return;
  ClearLabelTextures(view);
  if (!view.HasTextures) return;
  auto set = std::make_shared<LabelTextureSet>();
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  try {
    std::unordered_map<uint64_t, unsigned> byPicture;
    // False once the frame has as many textures as it may.
    auto prepare = [&](const Element3D& e) {
      if (!DrawsLabelPicture(e)) return true;
      if (set->textures.size() >= kMaxLabelTextures) return false;
      const std::string texture = e.texture.str();
      const std::string path = texture.empty() ? std::string() : TexturePath(texture);
      const TextureBitmap* picture = DrawLabelBitmap(e.name.str(), e.color, path, e.dx, e.dy);
      unsigned name = 0;
      if (picture) {
        const uint64_t id = LastLabelPictureId();
        unsigned& known = byPicture[id];
        if (id == 0 || known == 0) {  // a picture not kept is never shared
          glGenTextures(1, &name);
          set->textures.push_back(name);
          UploadTextureTo(name, *picture);
          if (id != 0) known = name;
        } else {
          name = known;
        }
      }
      set->labels.push_back({&e, name});
      return true;
    };
    bool more = true;
    if (elements)
      for (int32_t i = 0; more && i < elements->Count(); ++i) more = prepare(elements->As<Element3D>(i));
    if (more && extra) prepare(*extra);
  } catch (const std::exception&) {
    // What could not be prepared is painted while the frame is compiled.
  }
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  view.Labels = std::move(set);
}

unsigned SlotTexture(const GLView& view, unsigned slotName) {
  const LabelTextureSet* set = view.Labels.get();
  const bool isSlot = view.HasTextures && view.Textures.size() > kElementTextureSlot &&
                      view.Textures[kElementTextureSlot] == slotName;
  return set && set->slotStandIn != 0 && isSlot ? set->slotStandIn : slotName;
}

bool TakeLabelTexture(GLView& view, const Element3D& element, unsigned& texture) {
  LabelTextureSet* set = view.Labels.get();
  if (!set || set->next >= set->labels.size() || set->labels[set->next].element != &element) return false;
  texture = set->labels[set->next++].texture;
  return true;
}

void ClearLabelTextures(GLView& view) {
  if (!view.Labels) return;
  if (const unsigned standIn = view.Labels->slotStandIn;
      standIn != 0 && view.HasTextures && view.Textures.size() > kElementTextureSlot) {
    // The next frame starts where this one ended: the slot holds the last
    // label's picture, as if it had been uploaded there.
    GLint w = 0, h = 0;
    glBindTexture(GL_TEXTURE_2D, standIn);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    TextureBitmap picture;
    picture.resize(w, h);
    if (!picture.empty()) {
      GLint alignment = 4;
      glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
      glPixelStorei(GL_PACK_ALIGNMENT, 4);
      glGetTexImage(GL_TEXTURE_2D, 0, GL_BGR_EXT, GL_UNSIGNED_BYTE, picture.pixels.data());
      glPixelStorei(GL_PACK_ALIGNMENT, alignment);
      UploadTextureTo(view.Textures[kElementTextureSlot], picture);
    }
  }
  for (unsigned name : view.Labels->textures) glDeleteTextures(1, &name);
  view.Labels.reset();
}
