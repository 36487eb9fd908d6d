#include "ExactValueBoxes.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "LatinText.h"
#include "common/Dictionary.h"
#include "controls/ControlHint.h"

namespace {
constexpr int kBoxWidth = 64;
const char* const kInvalidProperty = "invalidText";
const char* const kUnitText = "\xD7 10 cm";
}  // namespace

ExactValueBoxes::ExactValueBoxes(QWidget* parent) : QWidget(parent) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(4);
  auto label = [&](const char* text, const char* hint) {
    auto* l = new QLabel(L1(text), this);
    if (hint) SetHint(l, hint);
    labels_.push_back(l);
    row->addWidget(l);
  };
  const char* names[] = {"X", "Y", "Z", "DX", "DY", "DZ"};
  // What assistive tools call each box: "X" alone would not say which X.
  const char* spoken[][2] = {{"Posi\xE7\xE3o X", "Position X"}, {"Posi\xE7\xE3o Y", "Position Y"},
                             {"Posi\xE7\xE3o Z", "Position Z"}, {"Tamanho X", "Size X"},
                             {"Tamanho Y", "Size Y"},           {"Tamanho Z", "Size Z"}};
  for (int f = 0; f < 6; ++f) {
    if (f == 0) label("Posi\xE7\xE3o:", "Position:");
    if (f == 3) {
      row->addSpacing(8);
      label("Tamanho:", "Size:");
    }
    label(names[f], nullptr);
    auto* box = new QLineEdit(this);
    box->setObjectName(QString("exact") + names[f]);
    box->setFixedWidth(kBoxWidth);
    box->setMaxLength(40);
    labels_.back()->setBuddy(box);
    box->setAccessibleName(L1(Choose(spoken[f][0], spoken[f][1])));
    // Stored values are in the document's unit, a tenth of a metre: each
    // group says so, as the status line's centimetres do.
    box->setAccessibleDescription(L1(Choose("Em unidades de 10 cm", "In units of 10 cm")));
    row->addWidget(box);
    JoinWalk(box, static_cast<ExactField>(f));
    if (f == 2 || f == 5) {
      auto* unit = new QLabel(L1(kUnitText), this);
      unit->setObjectName(f == 2 ? "exactPositionUnit" : "exactSizeUnit");
      unit->setToolTip(L1(Choose("Uma unidade vale 10 cm", "One unit is 10 cm")));
      row->addWidget(unit);
    }
  }
  row->addStretch(1);
}

QLineEdit* ExactValueBoxes::Box(ExactField field) const {
  for (const Entry& e : walk_)
    if (e.field == field) return e.editor;
  return nullptr;
}

void ExactValueBoxes::JoinWalk(QLineEdit* editor, ExactField field) {
  walk_.push_back({editor, field, editor->text().toStdString()});
  editor->installEventFilter(this);
}

ExactValueBoxes::Entry* ExactValueBoxes::Find(QObject* editor) {
  for (Entry& e : walk_)
    if (e.editor == editor) return &e;
  return nullptr;
}

void ExactValueBoxes::ShowElement(const Element3D& element, bool force) {
  for (Entry& e : walk_) {
    const bool leftAlone = !IsMarked(e.editor) && !e.editor->hasFocus();
    if (!force && !leftAlone) continue;
    Mark(e.editor, false);
    // The angle boxes show whole degrees, as they always have; what they
    // show is what a typed text is compared with.
    if (e.field == ExactField::Axy || e.field == ExactField::Ayz || e.field == ExactField::Axz) {
      e.shown = e.editor->text().toStdString();
      continue;
    }
    e.shown = FormatTypedNumber(FieldOf(element, e.field));
    if (e.editor->text().toStdString() != e.shown) e.editor->setText(QString::fromStdString(e.shown));
  }
}

void ExactValueBoxes::ShowNothing() {
  for (Entry& e : walk_) {
    if (e.field == ExactField::Axy || e.field == ExactField::Ayz || e.field == ExactField::Axz) continue;
    Mark(e.editor, false);
    e.shown.clear();
    e.editor->clear();
  }
}

std::string ExactValueBoxes::Settle() {
  std::string discarded;
  for (Entry& e : walk_) {
    if (!e.editor->hasFocus() && !IsMarked(e.editor)) continue;
    const std::string text = e.editor->text().toStdString();
    if (text == e.shown && !IsMarked(e.editor)) continue;
    if (!Commit(e)) {
      discarded = text;
      Revert(e);
    }
  }
  return discarded;
}

bool ExactValueBoxes::HasFocus() const {
  for (const Entry& e : walk_)
    if (e.editor->hasFocus()) return true;
  return false;
}

void ExactValueBoxes::RevertTyped() {
  for (Entry& e : walk_)
    if (IsMarked(e.editor)) Revert(e);
}

void ExactValueBoxes::EnterFirstBox() {
  QLineEdit* x = walk_.front().editor;
  x->setFocus(Qt::ShortcutFocusReason);
  x->selectAll();
}

bool ExactValueBoxes::IsMarked(QLineEdit* editor) const { return editor->property(kInvalidProperty).toBool(); }

void ExactValueBoxes::Mark(QLineEdit* editor, bool invalid) {
  if (IsMarked(editor) == invalid) return;
  editor->setProperty(kInvalidProperty, invalid);
  editor->setStyleSheet(invalid ? "QLineEdit { color: rgb(160,0,0); background: rgb(255,228,228); }" : "");
}

void ExactValueBoxes::Revert(Entry& entry) {
  entry.editor->setText(QString::fromStdString(entry.shown));
  Mark(entry.editor, false);
}

bool ExactValueBoxes::Commit(Entry& entry) {
  const std::string text = entry.editor->text().toStdString();
  if (text == entry.shown && !IsMarked(entry.editor)) return true;  // nothing typed: no edit
  if (committing_ || !OnApply) return true;
  committing_ = true;
  const Outcome outcome = OnApply(entry.field, text);
  committing_ = false;
  if (outcome.applied) {
    Mark(entry.editor, false);
    return true;
  }
  if (outcome.revert)
    Revert(entry);
  else
    Mark(entry.editor, true);
  return false;
}

bool ExactValueBoxes::eventFilter(QObject* watched, QEvent* event) {
  Entry* entry = Find(watched);
  if (!entry) return QWidget::eventFilter(watched, event);
  const auto type = event->type();
  if (type == QEvent::ShortcutOverride) {
    // Keys typed into a box are the box's: Delete deletes a letter, Esc
    // and Enter are handled below, not by the menu's shortcuts.
    auto* key = static_cast<QKeyEvent*>(event);
    if (!key->modifiers().testFlag(Qt::ControlModifier) || key->matches(QKeySequence::Undo) ||
        key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Cut) ||
        key->matches(QKeySequence::SelectAll)) {
      event->accept();
      return true;
    }
    return false;
  }
  if (type == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const int k = key->key();
    if (k == Qt::Key_Tab || k == Qt::Key_Backtab) {
      const size_t n = walk_.size();
      const size_t at = static_cast<size_t>(entry - walk_.data());
      const bool back = k == Qt::Key_Backtab || key->modifiers().testFlag(Qt::ShiftModifier);
      // From either end the walk goes on to the window's next control;
      // leaving the box applies it.
      if (back ? at == 0 : at + 1 == n) return false;
      Commit(*entry);
      QLineEdit* next = walk_[(at + (back ? n - 1 : 1)) % n].editor;
      next->setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
      next->selectAll();
      return true;
    }
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
      if (Commit(*entry) && OnDone) OnDone();
      return true;
    }
    if (k == Qt::Key_Escape) {
      Revert(*entry);
      if (OnDone) OnDone();
      return true;
    }
    // The angle boxes take digits and signs only; a decimal point is let
    // in here, in either writing.
    if ((key->text() == "." || key->text() == ",") && !key->modifiers().testFlag(Qt::ControlModifier)) {
      entry->editor->insert(key->text());
      return true;
    }
    return false;
  }
  if (type == QEvent::FocusIn && !inWalk_) {
    inWalk_ = true;
    if (OnWalkEnter) OnWalkEnter();
    return false;
  }
  if (type == QEvent::FocusOut) {
    // Another window or a menu taking the keys for a while is no leaving:
    // the box gets them back as it was.
    const Qt::FocusReason why = static_cast<QFocusEvent*>(event)->reason();
    if (committing_ || why == Qt::ActiveWindowFocusReason || why == Qt::PopupFocusReason) return false;
    Commit(*entry);
    if (inWalk_ && !Find(QApplication::focusWidget())) {
      inWalk_ = false;
      if (OnWalkLeave) OnWalkLeave();
    }
    return false;
  }
  return QWidget::eventFilter(watched, event);
}
