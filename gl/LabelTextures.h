#pragma once
#include <cstdint>
#include <memory>
#include <vector>

struct Element3D;
struct GLView;
class TIMem32;

// A compiled frame keeps every texture upload made while it was compiled, so
// a frame of 10,000 labels would hold 10,000 copies of their pictures.
// Instead the pictures are painted before the frame is compiled, in the
// order the frame draws the labels, each distinct picture uploaded once into
// a texture of its own; the frame only binds them.
struct LabelTextureSet {
  struct Label {
    const Element3D* element = nullptr;
    unsigned texture = 0;  // 0: the label has no picture (dy is 0)
  };
  std::vector<Label> labels;      // in drawing order
  std::vector<unsigned> textures;  // every name made, deleted with the set
  size_t next = 0;                // the next label the frame draws
  // Drawing an element binds the shared texture slot first, and some keep
  // it; after a label it held that label's picture. While this is not 0 the
  // prepared texture of that label stands in for the slot.
  unsigned slotStandIn = 0;
};

// The texture to bind for the shared slot whose name is `slotName`: the
// stand-in while there is one.
unsigned SlotTexture(const GLView& view, unsigned slotName);

// Paints and uploads the pictures of the labels among `elements` and then
// `extra`, as the frame about to be compiled will draw them; replaces the
// previous frame's textures. Needs the view's context current; does nothing
// while the drawing only records.
void PrepareLabelTextures(GLView& view, TIMem32* elements, const Element3D* extra);
// The prepared texture of the label the frame draws now, when `element` is
// that label; false when nothing was prepared for it (paint it instead).
bool TakeLabelTexture(GLView& view, const Element3D& element, unsigned& texture);
// Deletes the textures, first copying the picture standing in for the
// shared slot into it (the view's context must be current).
void ClearLabelTextures(GLView& view);
