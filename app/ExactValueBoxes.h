#pragma once
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "document/ExactValues.h"

class QLabel;
class QLineEdit;

// The "Posição" (X, Y, Z) and "Tamanho" (DX, DY, DZ) boxes of the tool
// strip. Each shows the current element's value with up to six decimals and
// hands a typed text to OnApply on Enter or when the box is left. A text
// that is no number is kept in the box, marked, until Esc or the next
// element shown. The keys that walk the boxes (Tab, Shift+Tab, Enter, Esc)
// are caught here for these boxes and for any further editors joined to the
// walk (the angle boxes).
class ExactValueBoxes : public QWidget {
  Q_OBJECT
 public:
  explicit ExactValueBoxes(QWidget* parent = nullptr);

  // The box of a position or size field.
  QLineEdit* Box(ExactField field) const;
  // Editors walked after DZ by Tab, in order, with the field each edits.
  void JoinWalk(QLineEdit* editor, ExactField field);

  // Shows the values of `e`; with `force` also over a marked or focused box
  // (a new element is shown), otherwise only in boxes left alone.
  void ShowElement(const Element3D& e, bool force);
  // Nothing to show (nothing selected): the position and size boxes empty.
  void ShowNothing();
  // Typed texts give way to the values last shown.
  void RevertTyped();
  // Before another command acts: a text typed into a box is applied, or,
  // when it cannot be, the box shows its value again. Returns the text
  // that was discarded (empty when none was).
  std::string Settle();
  bool HasFocus() const;
  // Puts the keyboard into the X box with its text selected.
  void EnterFirstBox();
  bool IsMarked(QLineEdit* editor) const;

  // Apply the text of a box; return false when it was refused (the box is
  // then marked, or shows the element's value again when `revert` is set).
  struct Outcome {
    bool applied = false;
    bool revert = false;
  };
  std::function<Outcome(ExactField, const std::string& text)> OnApply;
  // Enter or Esc: the keys go back to the view.
  std::function<void()> OnDone;
  // The keys came into the boxes, and left them for another widget: what is
  // typed in between is one undo step.
  std::function<void()> OnWalkEnter, OnWalkLeave;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    QLineEdit* editor;
    ExactField field;
    std::string shown;  // the element's value as last shown
  };
  Entry* Find(QObject* editor);
  // Applies a box whose text differs from what it showed. False when the
  // text was refused.
  bool Commit(Entry& entry);
  void Mark(QLineEdit* editor, bool invalid);
  void Revert(Entry& entry);

  std::vector<Entry> walk_;
  std::vector<QLabel*> labels_;
  bool committing_ = false;
  bool inWalk_ = false;  // a warning box takes the focus while a box applies
};
