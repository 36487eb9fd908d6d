#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

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
  static constexpr int32_t kUndoDepth = 10;

  EditorDocument();
  ~EditorDocument();
  EditorDocument(const EditorDocument&) = delete;
  EditorDocument& operator=(const EditorDocument&) = delete;

  TIMem32 elements{"obj 3d4"};
  TIMem32 selection{"group obj 3d"};  // int32 indices, in selection order
  int32_t currentIndex = -1;
  TIMem32 clipboard{"copy obj 3d"};
  Element3D templ{};                   // what the next created element starts from
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

  // Undo history of whole-document snapshots, at most kUndoDepth deep.
  // PushUndo starts a new edit, which also drops the redo steps; Undo keeps
  // the state it leaves so that Redo can bring it back. ClearUndo empties
  // both.
  // Every edit takes a snapshot first, so PushUndo also tells OnEdit.
  void PushUndo();
  std::function<void()> OnEdit;
  // A step that may come: a press on an element keeps the elements as they
  // were, and the first change of the drag that follows makes that the
  // undo step (CommitPreparedUndo, which tells OnEdit). A press and release
  // that changed nothing leaves no step. Any other undo operation drops the
  // prepared one.
  void PrepareUndo();
  bool CommitPreparedUndo();  // false when nothing was prepared
  void DropPreparedUndo() { prepared_.reset(); }
  bool Undo();  // false when there was nothing to undo
  bool Redo();  // false when there was nothing to redo
  void ClearUndo();
  int32_t UndoCount() const;
  int32_t RedoCount() const { return static_cast<int32_t>(redo_.size()); }
  // Bytes the undo, redo and prepared copies hold together.
  size_t UndoBytes() const;

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

  std::vector<std::unique_ptr<RecordSnapshot>> undo_;  // newest last, at most kUndoDepth
  std::vector<std::unique_ptr<RecordSnapshot>> redo_;  // newest last
  std::unique_ptr<RecordSnapshot> prepared_;           // the elements before a drag that may follow
  // Pushes a snapshot onto the undo steps, dropping the oldest when all are
  // taken; the redo steps stay.
  void PushSnapshot(std::unique_ptr<RecordSnapshot> snapshot);
  // A snapshot of the elements now, sharing what it can with the newest step.
  std::unique_ptr<RecordSnapshot> SnapshotNow(const RecordSnapshot* like) const;
};

// Panel value conversions of the property strip.
int32_t RoundHalfEven(double v);
int32_t ChamferToSpin(double chamfer);
double SpinToChamfer(int32_t spin);
// "<nenhuma>" and "<none>" mean no texture.
std::string TextureFromListItem(const std::string& item);
