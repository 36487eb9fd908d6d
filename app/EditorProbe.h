#pragma once
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "document/Element3D.h"

class EditorDocument;
class QLabel;
class QStatusBar;
struct GLView;
struct SceneState;

// What a user can see of the editor, read-only: the elements, the
// selection, the camera, the grid, the status line and how many steps can
// be undone. Tests read the window's results through it; it changes nothing.
// A probe lives no longer than the window that handed it out.
class EditorProbe {
 public:
  EditorProbe(const EditorDocument& document, const GLView* view, const SceneState& scene, const QLabel& statusLine,
              const QStatusBar& messages, bool blockMode)
      : doc_(document),
        view_(view),
        scene_(scene),
        statusLine_(statusLine),
        messages_(messages),
        blockMode_(blockMode) {}

  // --- the document ---
  int32_t Count() const;
  Element3D Element(int32_t i) const;
  bool IsInvisible(int32_t i) const;
  Element3D Template() const;  // what the next new element starts from
  const std::string& FileName() const;
  double EditStep(int axis) const;  // the grid's spacing along X, Y or Z

  // --- the selection ---
  int32_t SelectionCount() const;
  int32_t SelectedIndex(int32_t k) const;  // the k-th selected, in the order chosen
  bool IsSelected(int32_t i) const;
  std::vector<bool> SelectionMask() const;

  // --- undo ---
  int32_t UndoCount() const;
  int32_t RedoCount() const;
  int32_t UndoDepth() const;

  // --- the view ---
  // The camera of the last frame (projection of world points to pixels);
  // there is one once the window was shown.
  const GLView& View() const { return *view_; }
  bool SnapOutlineShown() const;  // the snapping outline in the last frame
  bool FramePending() const;      // a change not drawn yet
  bool BlockMode() const { return blockMode_; }

  // --- the texts under the view ---
  QString StatusLine() const;  // the line under the view
  QString Message() const;     // the status bar's passing message

 private:
  const EditorDocument& doc_;
  const GLView* view_;
  const SceneState& scene_;
  const QLabel& statusLine_;
  const QStatusBar& messages_;
  bool blockMode_;
};
