#include "EditorDocument.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

#include "ElementNames.h"
#include "NoTexture.h"
#include "SelectionCarry.h"

EditorDocument::EditorDocument() {
  elements.RecordSize = kElementRecordSize;
  selection.RecordSize = sizeof(int32_t);
  selection.ZeroNew = true;
  clipboard.RecordSize = kElementRecordSize;
  ResetTemplateAtStart();
}

EditorDocument::~EditorDocument() { ClearUndo(); }

void EditorDocument::ResetTemplateAtStart() {
  std::memset(&templ, 0, sizeof templ);
  templ.kind = kCube;
  templ.dx = 4, templ.dy = 12, templ.dz = 4;
  templ.y = 6;
  templ.chamfer = 0.27;
  templ.topPercent = 100;
}

namespace {
void ResetShape(Element3D& t, uint32_t color, const std::string& texture) {
  t.axy = t.ayz = t.axz = 0;
  t.color = color;
  t.chamfer = 0.07;
  t.topPercent = 100;
  t.texture.assign(texture.empty() ? EditorDocument::kDefaultTexture : texture);
  t.invisible = 0;
}
}  // namespace

void EditorDocument::ResetTemplateForKind(int32_t kind, uint32_t color, const std::string& texture) {
  templ.kind = kind;
  templ.dx = templ.dy = templ.dz = 4;
  templ.x = 0, templ.y = 2, templ.z = 0;
  ResetShape(templ, color, texture);
}

void EditorDocument::ResetTemplateForBlock(const double cell[3], const double position[3], uint32_t color,
                                           const std::string& texture) {
  templ.kind = kCube;
  templ.dx = cell[0], templ.dy = cell[1], templ.dz = cell[2];
  templ.x = position[0], templ.y = position[1], templ.z = position[2];
  ResetShape(templ, color, texture);
}

int32_t EditorDocument::AppendFromTemplate() {
  const int32_t index = elements.Count();
  elements.SetCount(index + 1);
  Element3D& e = Element(index);
  e = templ;
  e.name.assign(NextElementName(elements, e.kind));
  return index;
}

int32_t EditorDocument::AppendFromTemplate(ElementNamer& namer) {
  const int32_t index = elements.Count();
  elements.SetCount(index + 1);
  Element3D& e = Element(index);
  e = templ;
  e.name.assign(namer.Next(e));
  return index;
}

bool EditorDocument::SelectElement(int32_t i) {
  currentIndex = i;
  if (IsSelected(i)) return false;
  const int32_t k = selection.Count();
  selection.SetCount(k + 1);
  selection.As<int32_t>(k) = i;
  return true;
}

void EditorDocument::ClearSelection() {
  selection.SetCount(0);
  currentIndex = -1;
}

bool EditorDocument::IsSelected(int32_t i) const {
  for (int32_t k = 0; k < selection.Count(); ++k)
    if (SelectedIndex(k) == i) return true;
  return false;
}

std::vector<bool> EditorDocument::SelectionMask() const {
  std::vector<bool> mask(static_cast<size_t>(elements.Count()), false);
  for (int32_t k = 0; k < selection.Count(); ++k) {
    const int32_t i = SelectedIndex(k);
    if (i >= 0 && i < elements.Count()) mask[static_cast<size_t>(i)] = true;
  }
  return mask;
}

bool EditorDocument::IsInvisible(int32_t i) const {
  return i >= 0 && i < elements.Count() && elements.As<Element3D>(i).invisible != 0;
}

void EditorDocument::PushUndo(StepName name) {
  prepared_ = {};
  if (OnEdit) OnEdit();
  if (stepOpen_ && stepTaken_) return;  // the action's step holds the state before it
  PushStep(StateNow(NewestCopy(), stepOpen_ ? stepName_ : name));
  stepTaken_ = stepOpen_;
  // A new edit: what was undone before it can no longer be redone.
  redo_.clear();
}

EditorDocument::Step EditorDocument::StateNow(const RecordSnapshot* like, StepName name) const {
  Step step;
  step.elements = std::make_unique<RecordSnapshot>(elements, like);
  step.templ = templ;
  step.selection.reserve(static_cast<size_t>(selection.Count()));
  for (int32_t k = 0; k < selection.Count(); ++k) step.selection.push_back(SelectedIndex(k));
  step.name = name;
  return step;
}

void EditorDocument::Restore(const Step& step) {
  CarriedSelection before;
  before.countBefore = elements.Count();
  for (int32_t k = 0; k < selection.Count(); ++k) {
    const int32_t i = SelectedIndex(k);
    before.selected.push_back(i);
    before.names.push_back(i >= 0 && i < elements.Count() ? Element(i).name.str() : std::string());
  }
  step.elements->RestoreTo(elements);
  // Only what the setters write into the template comes back: its kind and
  // place belong to the palette's choice of now.
  templ.color = step.templ.color;
  templ.texture = step.templ.texture;
  templ.invisible = step.templ.invisible;
  const std::vector<int32_t> kept = CarrySelection(before, elements, step.selection);
  // The kept indices are distinct and in range: set at once, not searched
  // one by one as SelectElement would.
  selection.SetCount(static_cast<int32_t>(kept.size()));
  for (size_t k = 0; k < kept.size(); ++k) selection.As<int32_t>(static_cast<int32_t>(k)) = kept[k];
  if (kept.empty())
    currentIndex = -1;
  else if (std::find(kept.begin(), kept.end(), currentIndex) == kept.end())
    currentIndex = kept.back();
}

void EditorDocument::PrepareUndo() { prepared_ = StateNow(NewestCopy(), StepName::Edit); }

bool EditorDocument::CommitPreparedUndo(StepName name) {
  if (!prepared_.elements) return false;
  Step before = std::move(prepared_);
  prepared_ = {};
  if (OnEdit) OnEdit();
  if (stepOpen_ && stepTaken_) return true;
  before.name = stepOpen_ ? stepName_ : name;
  PushStep(std::move(before));
  stepTaken_ = stepOpen_;
  redo_.clear();
  return true;
}

void EditorDocument::PushStep(Step step) {
  while (!undo_.empty() && static_cast<int32_t>(undo_.size()) >= undoDepth_) undo_.pop_front();
  undo_.push_back(std::move(step));
}

void EditorDocument::BeginStep(StepName name) {
  stepOpen_ = true;
  stepTaken_ = false;
  stepName_ = name;
}

void EditorDocument::SetUndoDepth(int32_t depth) {
  undoDepth_ = std::clamp(depth, int32_t{1}, kMaxUndoDepth);
  while (static_cast<int32_t>(undo_.size()) > undoDepth_) undo_.pop_front();
  while (static_cast<int32_t>(redo_.size()) > undoDepth_) redo_.pop_front();
}

bool EditorDocument::Undo() {
  prepared_ = {};
  EndStep();
  if (undo_.empty()) return false;
  Step step = std::move(undo_.back());
  undo_.pop_back();
  while (!redo_.empty() && static_cast<int32_t>(redo_.size()) >= undoDepth_) redo_.pop_front();
  redo_.push_back(StateNow(step.elements.get(), step.name));
  Restore(step);
  lastStepName_ = step.name;
  return true;
}

bool EditorDocument::Redo() {
  prepared_ = {};
  EndStep();
  if (redo_.empty()) return false;
  Step step = std::move(redo_.back());
  redo_.pop_back();
  PushStep(StateNow(step.elements.get(), step.name));
  Restore(step);
  lastStepName_ = step.name;
  return true;
}

void EditorDocument::ClearUndo() {
  prepared_ = {};
  redo_.clear();
  undo_.clear();
  stepTaken_ = false;
}

int32_t EditorDocument::UndoCount() const { return static_cast<int32_t>(undo_.size()); }

std::vector<StepName> EditorDocument::UndoStepNames() const {
  std::vector<StepName> names;
  names.reserve(undo_.size());
  for (auto step = undo_.rbegin(); step != undo_.rend(); ++step) names.push_back(step->name);
  return names;
}

size_t EditorDocument::UndoBytes() const {
  std::vector<const RecordSnapshot*> copies{prepared_.elements.get()};
  size_t steps = 0;
  for (const auto* list : {&undo_, &redo_})
    for (const Step& step : *list) {
      copies.push_back(step.elements.get());
      steps += sizeof(Step) + step.selection.capacity() * sizeof(int32_t);
    }
  return RecordSnapshot::HeldBytes(copies) + steps;
}

void EditorDocument::CopySelection() {
  if (selection.Count() == 0) return;
  clipboard.SetCount(selection.Count());
  for (int32_t k = 0; k < selection.Count(); ++k) clipboard.As<Element3D>(k) = elements.As<Element3D>(SelectedIndex(k));
}

bool EditorDocument::Paste() {
  if (clipboard.Count() == 0) return false;
  PushUndo(StepName::Paste);
  selection.SetCount(clipboard.Count());
  elements.Reserve(elements.Count() + clipboard.Count());
  ElementNamer namer(elements);
  for (int32_t k = 0; k < clipboard.Count(); ++k) {
    templ = clipboard.As<Element3D>(k);
    const int32_t index = AppendFromTemplate(namer);
    selection.As<int32_t>(k) = index;
    Element3D& e = Element(index);
    e.x -= editStep[0];
    e.z -= editStep[2];
  }
  return true;
}

bool EditorDocument::DeleteSelection() {
  if (selection.Count() == 0) return false;
  PushUndo(StepName::Delete);
  // Mark first: the selection's indices refer to the elements before removal.
  std::unique_ptr<bool[]> doomed(new bool[static_cast<size_t>(elements.Count())]());
  for (int32_t k = 0; k < selection.Count(); ++k) {
    const int32_t i = SelectedIndex(k);
    if (i >= 0 && i < elements.Count()) doomed[static_cast<size_t>(i)] = true;
  }
  int32_t write = 0;
  const int32_t count = elements.Count();
  for (int32_t read = 0; read < count; ++read) {
    if (doomed[static_cast<size_t>(read)]) continue;
    if (write != read) std::memcpy(elements.Item(write), elements.Item(read), kElementRecordSize);
    ++write;
  }
  // Removal keeps the block, as deleting record by record would.
  while (elements.Count() > write) {
    elements.Position = elements.Count() - 1;
    elements.DeleteAtPosition();
  }
  ClearSelection();
  return true;
}

void EditorDocument::ResetForNewContents() {
  ClearSelection();
  ClearUndo();
}

int32_t EditorDocument::FindElement(double x, double y, double z, double margin) const {
  for (int32_t i = 0; i < elements.Count(); ++i) {
    const Element3D& e = elements.As<Element3D>(i);
    if (e.invisible) continue;
    if (std::fabs(x - e.x) <= std::fabs(e.dx) / 2 + margin && std::fabs(y - e.y) <= std::fabs(e.dy) / 2 + margin &&
        std::fabs(z - e.z) <= std::fabs(e.dz) / 2 + margin)
      return i;
  }
  return -1;
}

int32_t EditorDocument::FindElementAt(double x, double y, double z) const { return FindElement(x, y, z, 0.1); }
int32_t EditorDocument::FindElementInCell(double x, double y, double z) const { return FindElement(x, y, z, 0.0); }

template <class F>
void EditorDocument::ForEachSelected(F&& f) {
  for (int32_t k = 0; k < selection.Count(); ++k) {
    const int32_t i = SelectedIndex(k);
    if (i >= 0 && i < elements.Count()) f(Element(i));
  }
}

void EditorDocument::SetSelectedTopPercent(double v) {
  PushUndo(StepName::TopSize);
  ForEachSelected([&](Element3D& e) { e.topPercent = v; });
}

void EditorDocument::SetSelectedChamfer(double v) {
  PushUndo(StepName::Chamfer);
  ForEachSelected([&](Element3D& e) { e.chamfer = v; });
}

void EditorDocument::SetSelectedAngles(double axy, double ayz, double axz) {
  PushUndo(StepName::Angles);
  ForEachSelected([&](Element3D& e) { e.axy = axy, e.ayz = ayz, e.axz = axz; });
}

void EditorDocument::SetSelectedInvisible(bool invisible) {
  PushUndo(StepName::Visibility);
  const uint8_t v = invisible ? 1 : 0;
  ForEachSelected([&](Element3D& e) { e.invisible = v; });
  templ.invisible = v;
}

void EditorDocument::SetSelectedColor(uint32_t color) {
  PushUndo(StepName::Color);
  ForEachSelected([&](Element3D& e) { e.color = color; });
  templ.color = color;
}

void EditorDocument::SetSelectedTexture(const std::string& texture) {
  PushUndo(StepName::Texture);
  const std::string value = TextureFromListItem(texture);
  ForEachSelected([&](Element3D& e) { e.texture.assign(value); });
  templ.texture.assign(value);
}

int32_t RoundHalfEven(double v) {
  // Values from a file can be anything; converting one outside the int32
  // range (or NaN) would be undefined, so those saturate (NaN gives 0).
  if (std::isnan(v)) return 0;
  const double r = std::nearbyint(v);
  if (r <= static_cast<double>(INT32_MIN)) return INT32_MIN;
  if (r >= static_cast<double>(INT32_MAX)) return INT32_MAX;
  return static_cast<int32_t>(r);
}

int32_t ChamferToSpin(double chamfer) { return RoundHalfEven(chamfer * 37.037037037037); }

double SpinToChamfer(int32_t spin) { return spin * 0.027; }

std::string TextureFromListItem(const std::string& item) { return IsNoTextureItem(item) ? std::string() : item; }
