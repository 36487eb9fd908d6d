#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "EditStepNames.h"
#include "Element3D.h"
#include "ElementNames.h"
#include "RecordSnapshot.h"
#include "common/FileIdentity.h"
#include "common/TIMem32.h"

// The editor window's document state and the operations on it that involve
// no widget: creation from the template, undo snapshots, the internal
// clipboard, the selection, point queries and the grouped property setters.
// The window adds its own steps (list box, property strip, redraw) around
// these calls.
class EditorDocument {
 public:
  static constexpr int32_t kUndoDepth = 10;  // steps that can be undone, unless set otherwise
  static constexpr int32_t kMaxUndoDepth = 1000;

  EditorDocument();
  ~EditorDocument();
  EditorDocument(const EditorDocument&) = delete;
  EditorDocument& operator=(const EditorDocument&) = delete;

  TIMem32 elements{"obj 3d4"};
  TIMem32 selection{"group obj 3d"};  // int32 indices, in selection order
  int32_t currentIndex = -1;
  TIMem32 clipboard{"copy obj 3d"};
  Element3D templ{};  // what the next created element starts from
  std::string fileName;
  // The file at fileName as it was when last read or written: a save over
  // it first checks that nobody changed or replaced it since.
  FileIdentity fileIdentity;
  double editStep[3] = {0.5, 0.5, 0.5};  // grid spacing along X, Y, Z

  Element3D& Element(int32_t i) { return elements.As<Element3D>(i); }
  int32_t Count() const { return elements.Count(); }
  int32_t SelectionCount() const { return selection.Count(); }
  int32_t SelectedIndex(int32_t k) const { return selection.As<int32_t>(k); }

  // Template resets: at window start, after picking a kind in the palette,
  // and for a block dropped on the lattice. `texture` is the chosen texture
  // (empty = none chosen, which gives the default texture).
  void ResetTemplateAtStart();
  void ResetTemplateForKind(int32_t kind, uint32_t color, const std::string& texture);
  void ResetTemplateForBlock(const double cell[3], const double position[3], uint32_t color,
                             const std::string& texture);
  static constexpr const char* kDefaultTexture = "texture3.bmp";

  // Appends a copy of the template named afresh; returns its index.
  int32_t AppendFromTemplate();
  // The same, named by `namer` (many appended in a row).
  int32_t AppendFromTemplate(ElementNamer& namer);

  // Selection. SelectElement returns true when i was newly added (the window
  // then shows it in the property strip).
  bool SelectElement(int32_t i);
  void ClearSelection();
  bool IsSelected(int32_t i) const;
  // Which elements are selected, one flag per element: a frame or a list
  // that asks for every element uses this rather than scanning the
  // selection once per element.
  std::vector<bool> SelectionMask() const;
  bool IsInvisible(int32_t i) const;

  // Undo history of whole-document snapshots, at most UndoDepth() deep.
  // PushUndo starts a new edit, which also drops the redo steps; Undo keeps
  // the state it leaves so that Redo can bring it back. ClearUndo empties
  // both. A step also keeps the template's colour, texture and visibility
  // (the setters write them there too) and the selection it was taken with.
  // Every edit takes a snapshot first, so PushUndo also tells OnEdit.
  void PushUndo(StepName name = StepName::Edit);
  std::function<void()> OnEdit;
  // A step that may come: a press on an element keeps the elements as they
  // were, and the first change of the drag that follows makes that the
  // undo step (CommitPreparedUndo, which tells OnEdit). A press and release
  // that changed nothing leaves no step. Any other undo operation drops the
  // prepared one.
  void PrepareUndo();
  bool CommitPreparedUndo(StepName name = StepName::Edit);  // false when nothing was prepared
  void DropPreparedUndo() { prepared_ = {}; }
  // Undo and redo keep the selection where its elements still exist
  // (SelectionCarry.h).
  bool Undo();  // false when there was nothing to undo
  bool Redo();  // false when there was nothing to redo
  void ClearUndo();
  int32_t UndoCount() const;
  // The names of the steps Undo would go through, the next one first.
  std::vector<StepName> UndoStepNames() const;
  int32_t RedoCount() const { return static_cast<int32_t>(redo_.size()); }
  // The name of the step the last Undo or Redo went through.
  StepName LastStepName() const { return lastStepName_; }
  // Bytes the undo, redo and prepared steps hold together.
  size_t UndoBytes() const;

  // How many steps can be undone: brought into 1..kMaxUndoDepth; a depth
  // below the steps held drops the oldest.
  void SetUndoDepth(int32_t depth);
  int32_t UndoDepth() const { return undoDepth_; }

  // One user action is one step, however many edits it makes: while a step
  // is open only its first PushUndo (or committed prepared step) takes a
  // copy, named `name`; later ones only tell OnEdit. An undo, a redo or the
  // next BeginStep ends an open step.
  void BeginStep(StepName name);
  void EndStep() { stepOpen_ = false; }
  bool StepOpen() const { return stepOpen_; }
  // Whether the open step has taken its copy (the action changed something).
  bool StepTaken() const { return stepOpen_ && stepTaken_; }

  // Edit commands. Delete and Undo clear the selection, so no later edit can
  // write through an index that no longer names the element it did.
  void CopySelection();
  bool Paste();
  bool DeleteSelection();
  // A new or loaded document: the elements are replaced, so the selection
  // and the history go.
  void ResetForNewContents();

  // Point queries (unrotated boxes, invisible elements skipped, first match).
  int32_t FindElementAt(double x, double y, double z) const;
  int32_t FindElementInCell(double x, double y, double z) const;

  // Grouped property setters; each takes one undo snapshot first.
  void SetSelectedTopPercent(double v);
  void SetSelectedChamfer(double v);
  void SetSelectedAngles(double axy, double ayz, double axz);
  void SetSelectedInvisible(bool invisible);
  void SetSelectedColor(uint32_t color);
  void SetSelectedTexture(const std::string& texture);

 private:
  template <class F>
  void ForEachSelected(F&& f);
  int32_t FindElement(double x, double y, double z, double margin) const;

  struct Step {
    std::unique_ptr<RecordSnapshot> elements;
    Element3D templ{};
    std::vector<int32_t> selection;
    StepName name = StepName::Edit;
  };
  std::deque<Step> undo_;  // newest last, at most undoDepth_
  std::deque<Step> redo_;  // newest last
  Step prepared_;          // the state before a drag that may follow (no elements: none)
  int32_t undoDepth_ = kUndoDepth;
  bool stepOpen_ = false, stepTaken_ = false;
  StepName stepName_ = StepName::Edit;
  StepName lastStepName_ = StepName::Edit;
  // Pushes a step onto the undo steps, dropping the oldest when all are
  // taken; the redo steps stay.
  void PushStep(Step step);
  // The state now, its elements sharing what they can with `like`.
  Step StateNow(const RecordSnapshot* like, StepName name) const;
  // Puts a step's state back, the selection carried across.
  void Restore(const Step& step);
  const RecordSnapshot* NewestCopy() const { return undo_.empty() ? nullptr : undo_.back().elements.get(); }
};

// Panel value conversions of the property strip.
int32_t RoundHalfEven(double v);
int32_t ChamferToSpin(double chamfer);
double SpinToChamfer(int32_t spin);
// The texture list's entry for no texture (NoTextureItem) means none.
std::string TextureFromListItem(const std::string& item);
