#include "EditStepNames.h"

namespace {
struct Names {
  const char* pt;
  const char* en;
};

Names NamesOf(StepName name) {
  switch (name) {
    case StepName::Edit:
      return {"edi\xE7\xE3o", "edit"};
    case StepName::Add:
      return {"adicionar", "add"};
    case StepName::Move:
      return {"mover", "move"};
    case StepName::Resize:
      return {"redimensionar", "resize"};
    case StepName::Turn:
      return {"girar", "turn"};
    case StepName::Paste:
      return {"colar", "paste"};
    case StepName::Delete:
      return {"apagar", "delete"};
    case StepName::Duplicate:
      return {"duplicar", "duplicate"};
    case StepName::Color:
      return {"cor", "colour"};
    case StepName::Texture:
      return {"textura", "texture"};
    case StepName::Visibility:
      return {"visibilidade", "visibility"};
    case StepName::Chamfer:
      return {"chanfro", "bevel"};
    case StepName::TopSize:
      return {"superior", "top size"};
    case StepName::Angles:
      return {"rota\xE7\xE3o", "rotation"};
    case StepName::ExactValues:
      return {"valores exatos", "exact values"};
    case StepName::Rename:
      return {"renomear", "rename"};
    case StepName::Block:
      return {"bloco", "block"};
    case StepName::Mirror:
      return {"espelhar", "mirror"};
    case StepName::Align:
      return {"alinhar", "align"};
    case StepName::Distribute:
      return {"distribuir", "distribute"};
  }
  return {"edi\xE7\xE3o", "edit"};
}
}  // namespace

const char* StepNamePt(StepName name) { return NamesOf(name).pt; }
const char* StepNameEn(StepName name) { return NamesOf(name).en; }

StepName StepOfMoveMode(int mode) {
  switch (mode) {
    case 0:
      return StepName::Move;
    case 1:
      return StepName::Resize;
    case 2:
      return StepName::Turn;
    default:
      return StepName::Edit;
  }
}
