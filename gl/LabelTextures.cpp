#include "LabelTextures.h"

#include <GL/gl.h>

#include <cstdio>
#include <exception>
#include <memory>
#include <unordered_set>

#include "DrawWrappers.h"
#include "ElementDrawing.h"
#include "GLView.h"
#include "LabelBitmap.h"
#include "Textures.h"
#include "common/TIMem32.h"
#include "document/Element3D.h"
#include "document/ElementSanity.h"

namespace {
template <typename T>
void AppendBytes(std::string& to, T value) {  // by value: the record is packed
  to.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Everything the labels' pictures are painted from, in drawing order.
std::string LabelInputs(TIMem32* elements, const Element3D* extra) {
  std::string inputs;
  auto add = [&](const Element3D& e) {
    if (!DrawsLabelPicture(e)) return;
    inputs += e.name.str();
    inputs += '\0';
    inputs += e.texture.str();
    inputs += '\0';
    AppendBytes(inputs, e.color);
    AppendBytes(inputs, e.dx);
    AppendBytes(inputs, e.dy);
  };
  if (elements)
    for (int32_t i = 0; i < elements->Count(); ++i) add(elements->As<Element3D>(i));
  if (extra) add(*extra);
  return inputs;
}

void TellBudgetOnce() {
  static bool told = false;
  if (told) return;
  told = true;
  std::fprintf(stderr, "objetos3d: label pictures use more than %zu MB; the rest are drawn without them\n",
               kLabelPictureBudget >> 20);
}
}  // namespace

bool DrawsLabelPicture(const Element3D& e) {
  // Asked of every element in every frame: the name's bytes are not copied.
  if (e.invisible != 0 || e.kind != kCube || e.name.length == 0 || e.name.chars[0] != '@') return false;
  return IsDrawableElement(e);
}

void PrepareLabelTextures(GLView& view, TIMem32* elements, const Element3D* extra) {
  if (!DrawingToGL() || !view.HasTextures) return;
  std::string inputs = LabelInputs(elements, extra);
  LabelTextureSet* old = view.Labels.get();
  if (old && old->generation == TextureCacheGeneration() && old->inputs == inputs) return;
  auto set = std::make_shared<LabelTextureSet>();
  set->inputs = std::move(inputs);
  set->generation = TextureCacheGeneration();
  const bool reuse = old && old->generation == set->generation;
  std::unordered_set<unsigned> taken;
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  auto prepare = [&](const Element3D& e) {
    if (!DrawsLabelPicture(e)) return;
    LabelTextureSet::Label label;
    constexpr size_t kPictureBytes = size_t{256} * 256 * 3;
    if (set->pictureBytes + kPictureBytes > kLabelPictureBudget) {
      // Painting what cannot be shown would only cost time.
      label.plain = set->overBudget = true;
      set->labels.push_back(label);
      return;
    }
    const std::string texture = e.texture.str();
    const std::string path = texture.empty() ? std::string() : TexturePath(texture);
    const TextureBitmap* picture = DrawLabelBitmap(e.name.str(), e.color, path, e.dx, e.dy);
    if (picture) {
      const uint64_t id = LastLabelPictureId();
      unsigned known = 0;
      if (id != 0) {
        if (const auto here = set->byPicture.find(id); here != set->byPicture.end()) {
          known = here->second;
        } else if (reuse) {
          // Taken over from the previous set, which then must not delete it.
          if (const auto there = old->byPicture.find(id); there != old->byPicture.end()) {
            known = there->second;
            taken.insert(known);
            set->textures.push_back(known);
            set->byPicture[id] = known;
            set->pictureBytes += kPictureBytes;
          }
        }
      }
      if (known == 0) {  // a picture not kept is never shared
        glGenTextures(1, &known);
        set->textures.push_back(known);
        UploadTextureTo(known, *picture);
        set->pictureBytes += kPictureBytes;
        if (id != 0) set->byPicture[id] = known;
      }
      label.texture = known;
    }
    set->labels.push_back(label);
  };
  try {
    if (elements)
      for (int32_t i = 0; i < elements->Count(); ++i) prepare(elements->As<Element3D>(i));
    if (extra) prepare(*extra);
  } catch (const std::exception&) {
    // Labels that could not be prepared are drawn plain.
    set->inputs.clear();
  }
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
  if (old)
    for (unsigned& name : old->textures)
      if (taken.count(name) != 0) name = 0;
  ClearLabelTextures(view);
  if (set->overBudget) TellBudgetOnce();
  view.Labels = std::move(set);
}

const LabelTextureSet::Label* PreparedLabel(const GLView& view, size_t index) {
  const LabelTextureSet* set = view.Labels.get();
  return set && index < set->labels.size() ? &set->labels[index] : nullptr;
}

bool LabelsPastBudget(const GLView& view) { return view.Labels && view.Labels->overBudget; }

void ClearLabelTextures(GLView& view) {
  if (!view.Labels) return;
  for (unsigned name : view.Labels->textures)
    if (name != 0) glDeleteTextures(1, &name);
  view.Labels.reset();
}
