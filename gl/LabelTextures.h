#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

struct Element3D;
struct GLView;
class TIMem32;

// The pixels of label pictures one frame may hold (192 KiB each): labels
// past them are drawn as plain faces of their colour.
inline constexpr size_t kLabelPictureBudget = size_t{64} * 1024 * 1024;

// Every label picture of the frame, painted in the order the frame draws the
// labels (a picture over a colour keeps the previous label's last row and
// column, so the order matters) and uploaded once into a texture of its own.
// Frames bind them by name; they are painted again only when the labels
// change.
struct LabelTextureSet {
  struct Label {
    unsigned texture = 0;  // 0: no picture (a label of no height)
    bool plain = false;    // past the budget: drawn without a picture
  };
  std::vector<Label> labels;       // in drawing order
  std::vector<unsigned> textures;  // every name made, deleted with the set
  // Kept pictures (LabelBitmap's ids) to their textures, so that a repeated
  // label, or one left as it was by an edit, is not uploaded again.
  std::unordered_map<uint64_t, unsigned> byPicture;
  std::string inputs;       // what the labels were painted from
  uint64_t generation = 0;  // of the texture cache they were painted over
  size_t pictureBytes = 0;
  bool overBudget = false;
};

// Paints and uploads the pictures of the labels among `elements` and then
// `extra`, as the frame about to be drawn will meet them, unless the set
// already holds them. Needs the view's context current; does nothing while
// the drawing only records.
void PrepareLabelTextures(GLView& view, TIMem32* elements, const Element3D* extra);
// Whether the frame paints a picture for `e` (a visible, drawable label cube).
bool DrawsLabelPicture(const Element3D& e);
// The label the frame draws as its `index`-th; null when none was prepared.
const LabelTextureSet::Label* PreparedLabel(const GLView& view, size_t index);
// Whether the labels last prepared went past the budget, so that some are
// drawn without their pictures (for the window to tell its user).
bool LabelsPastBudget(const GLView& view);
// Deletes the textures (the view's context must be current).
void ClearLabelTextures(GLView& view);
