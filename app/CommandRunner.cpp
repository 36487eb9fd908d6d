#include "CommandRunner.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "CommandReports.h"
#include "ExactValueBoxes.h"
#include "LatinText.h"
#include "PivotSetting.h"
#include "SnapSetting.h"
#include "TFEditorDeObjetos1.h"
#include "UndoLevels.h"
#include "controls/ControlHint.h"
#include "controls/TMulfig.h"
#include "document/EditSteps.h"

namespace {
constexpr int kReportMs = 8000;
}

CommandRunner::CommandRunner(TFEditorDeObjetos1& window) : w_(window) {
  w_.Document().SetUndoDepth(RememberedUndoLevels());
  w_.SetSnapping(RememberedSnapping());
  w_.SetCommonPivot(RememberedCommonPivot());
}

std::vector<int32_t> CommandRunner::Selection() const {
  std::vector<int32_t> out;
  out.reserve(static_cast<size_t>(w_.Document().SelectionCount()));
  for (int32_t k = 0; k < w_.Document().SelectionCount(); ++k) out.push_back(w_.Document().SelectedIndex(k));
  return out;
}

StepName CommandRunner::StepFor(const EditorCommand& row) const {
  return row.stepByMode ? StepOfMoveMode(w_.MoveModeChosen()) : row.step;
}

void CommandRunner::Run(CommandId id) {
  CommandCall call;
  Run(CommandOf(id), call);
}

void CommandRunner::RunInPlace(CommandId id) {
  const EditorCommand& row = CommandOf(id);
  CommandCall call;
  if (entryOpen_ && row.handler) {
    row.handler(w_, call);
    w_.Redraw();
    return;
  }
  Run(row, call, true);
}

void CommandRunner::RunKey(const EditorCommand& row, int key, Qt::KeyboardModifiers mods) {
  CommandCall call;
  call.key = key;
  call.mods = mods;
  Run(row, call);
}

void CommandRunner::Run(const EditorCommand& row, CommandCall& call, bool inPlace) {
  if (!row.handler) return;
  if (depth_ > 0) {
    // A command run by another (Enter opening the rename): part of it, in
    // its step unless that has taken nothing yet.
    if (row.changesDocument && !w_.Document().StepTaken()) w_.Document().BeginStep(StepFor(row));
    row.handler(w_, call);
    if (!call.report.empty()) nestedReport_ = call.report;
    nestedChanged_ = nestedChanged_ || call.changed;
    return;
  }
  // Esc puts a duplicate that follows the pointer back where it was made,
  // and does no more; any other action places it first.
  if (w_.FollowingPointer() && row.id == CommandId::NormalEdition) {
    w_.StopFollowing(true);
    w_.UpdateStatusLine();
    return;
  }
  w_.StopFollowing(false);
  if (!inPlace) SettleTypedValues();
  const int32_t countBefore = w_.Document().Count();
  const std::vector<int32_t> selectionBefore = Selection();
  nestedReport_.clear();
  nestedChanged_ = false;
  w_.Document().BeginStep(StepFor(row));
  ++depth_;
  row.handler(w_, call);
  --depth_;
  Outcome o;
  const bool historyMoved = call.changed || nestedChanged_;  // an undo or a redo
  o.changed = w_.Document().StepTaken() || historyMoved;
  w_.Document().EndStep();
  o.listChanged =
      o.changed && (historyMoved || w_.Document().Count() != countBefore || StepFor(row) == StepName::Rename);
  o.selectionChanged = Selection() != selectionBefore;
  // N hands the keys to the boxes; the window a command closed keeps none.
  o.refreshPanel = !inPlace;
  o.focusBack = !inPlace && row.id != CommandId::ExactValues && w_.isVisible();
  o.report = !call.report.empty() ? call.report : nestedReport_;
  After(row, o);
  if (entryPending_) {
    entryPending_ = false;
    if (w_.ExactValues() && w_.ExactValues()->HasFocus()) BeginEntry(CommandId::ExactEntry);
  }
}

void CommandRunner::After(const EditorCommand& row, const Outcome& o) {
  if ((o.changed || o.selectionChanged) && !DrawsItself(row)) w_.Redraw();
  if (o.listChanged || o.selectionChanged) w_.SyncElementList();
  if ((o.changed || o.selectionChanged) && o.refreshPanel) w_.RefreshPanel(o.changed);
  if (o.focusBack) w_.FocusTela1();
  w_.UpdateModeHint();
  w_.UpdateStatusLine();
  std::string report = o.report;
  if (report.empty()) report.swap(settledReport_);
  settledReport_.clear();
  if (!report.empty()) w_.statusBar()->showMessage(L1(report), kReportMs);
}

void CommandRunner::BeginEntry(CommandId id) {
  if (entryOpen_) return;
  // Entered by a command (N): the entry's step starts when that one ends.
  if (depth_ > 0) {
    entryPending_ = true;
    return;
  }
  entryOpen_ = true;
  entrySelection_ = Selection();
  w_.Document().BeginStep(StepFor(CommandOf(id)));
}

void CommandRunner::EndEntry() {
  if (!entryOpen_) return;
  entryOpen_ = false;
  Outcome o;
  o.changed = w_.Document().StepTaken();
  w_.Document().EndStep();
  o.selectionChanged = Selection() != entrySelection_;
  o.focusBack = false;  // the keys went where the user took them
  if (o.changed || o.selectionChanged) After(CommandOf(CommandId::ExactEntry), o);
}

void CommandRunner::SettleTypedValues() {
  ExactValueBoxes* boxes = w_.ExactValues();
  if (!boxes) return;
  const std::string discarded = boxes->Settle();
  if (!discarded.empty()) {
    settledReport_ = DiscardedReport(discarded);
    w_.statusBar()->showMessage(L1(settledReport_), kReportMs);
  }
  // The command acts on the view's keys; leaving the boxes ends their step.
  if (boxes->HasFocus()) w_.FocusTela1();
}

void CommandRunner::BuildMenus(const std::map<CommandId, void (TFEditorDeObjetos1::*)()>& onTriggered) {
  QMenuBar* bar = w_.menuBar();
  const struct {
    MenuPlace place;
    const char* caption;
    const char* hint;
  } kMenus[] = {
      {MenuPlace::File, "&Arquivo", "&File"}, {MenuPlace::Edit, "&Editar", "&Edit"}, {MenuPlace::Help, "&?", nullptr}};
  for (const auto& m : kMenus) {
    QMenu* menu = bar->addMenu(L1(m.caption));
    if (m.hint) SetHint(menu->menuAction(), m.hint);
    menus_[m.place] = menu;
  }
  for (const EditorCommand& row : EditorCommands()) {
    if (row.menu == MenuPlace::None || actions_.count(row.id)) continue;
    // The Align submenu stands in the Edit menu where its first row comes.
    if (row.menu == MenuPlace::Align && !menus_.count(MenuPlace::Align)) {
      QMenu* align = menus_[MenuPlace::Edit]->addMenu(L1("Alinhar"));
      SetHint(align->menuAction(), "Align");
      menus_[MenuPlace::Align] = align;
    }
    QMenu* menu = menus_[row.menu];
    if (row.separatorBefore) menu->addSeparator();
    auto* a = new QAction(L1(row.menuPt), menu);
    if (row.menuEn) SetHint(a, row.menuEn);
    QList<QKeySequence> keys;
    for (const std::string& k : ShortcutsOf(row.id)) keys.append(QKeySequence(QString::fromStdString(k)));
    a->setShortcuts(keys);
    menu->addAction(a);
    // The window holds the shortcuts too, so they work while the menus are closed.
    if (!keys.isEmpty()) w_.addAction(a);
    const CommandId id = row.id;
    const auto handler = onTriggered.find(id);
    if (handler != onTriggered.end()) {
      const auto member = handler->second;
      QObject::connect(a, &QAction::triggered, &w_, [this, member] { (w_.*member)(); });
    } else {
      QObject::connect(a, &QAction::triggered, &w_, [this, id] { Run(id); });
    }
    actions_[id] = a;
  }
}

QAction* CommandRunner::Action(CommandId id) const {
  const auto a = actions_.find(id);
  return a == actions_.end() ? nullptr : a->second;
}

QMenu* CommandRunner::Menu(MenuPlace place) const {
  const auto m = menus_.find(place);
  return m == menus_.end() ? nullptr : m->second;
}
