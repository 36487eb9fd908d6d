#include "WindowTranslation.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <functional>

#include "ControlHint.h"
#include "ControlText.h"
#include "TMButton.h"
#include "TMPanel.h"
#include "TSBM.h"
#include "common/Dictionary.h"

namespace {

std::string L(const std::string& text) { return Lookup(text); }

void ForEachChild(QWidget* form, const std::function<void(QObject*)>& visit) {
  std::function<void(QObject*)> walk = [&](QObject* parent) {
    for (QObject* child : parent->children()) {
      auto* widget = qobject_cast<QWidget*>(child);
      if (widget && widget->isWindow()) continue;
      visit(child);
      walk(child);
    }
  };
  walk(form);
}

void TranslateTabs(QTabBar* tabs) {
  for (int i = 0; i < tabs->count(); ++i) tabs->setTabText(i, FromLatin1(L(ToLatin1(tabs->tabText(i)))));
  tabs->update();
}

void TranslateComboItems(QComboBox* combo) {
  for (int i = 0; i < combo->count(); ++i) combo->setItemText(i, FromLatin1(L(ToLatin1(combo->itemText(i)))));
}

// The caption of the kinds of control that have one, through get/set.
bool WithCaption(QObject* o, const std::function<std::string(const std::string&)>& change) {
  if (auto* panel = qobject_cast<TMPanel*>(o)) {
    panel->setCaption(change(panel->Caption()));
  } else if (auto* button = qobject_cast<TMButton*>(o)) {
    button->setCaption(change(button->Caption()));
  } else if (auto* label = qobject_cast<QLabel*>(o)) {
    label->setText(FromLatin1(change(ToLatin1(label->text()))));
  } else if (auto* box = qobject_cast<QGroupBox*>(o)) {
    box->setTitle(FromLatin1(change(ToLatin1(box->title()))));
  } else if (qobject_cast<QCheckBox*>(o) || qobject_cast<QPushButton*>(o) || qobject_cast<QRadioButton*>(o)) {
    auto* b = static_cast<QAbstractButton*>(o);
    b->setText(FromLatin1(change(ToLatin1(b->text()))));
  } else {
    return false;
  }
  return true;
}

void TranslateWindowCaption(QWidget* form) {
  const std::string hint = Hint(form);
  if (!hint.empty()) form->setWindowTitle(FromLatin1(hint));
}

// Set on a menu item the dictionary gave a text of its own: the user's
// translation stays, rather than the item's built-in alternate text or a
// second look-up of the translated text.
const char kTranslatedByDictionary[] = "translatedByDictionary";

void ChooseMenuItems(QList<QAction*> actions) {
  for (QAction* action : actions) {
    if (!action->isSeparator() && !action->property(kTranslatedByDictionary).toBool())
      action->setText(FromLatin1(Choose(ToLatin1(action->text()), Hint(action))));
    if (QMenu* sub = action->menu()) ChooseMenuItems(sub->actions());
  }
}

void LookupMenuItems(QList<QAction*> actions) {
  for (QAction* action : actions) {
    if (!action->isSeparator()) {
      const std::string caption = ToLatin1(action->text());
      const std::string translated = L(caption);
      action->setText(FromLatin1(translated));
      if (!translated.empty() && translated != caption) action->setProperty(kTranslatedByDictionary, true);
    }
    if (QMenu* sub = action->menu()) LookupMenuItems(sub->actions());
  }
}

QMenuBar* MenuBarOf(QWidget* form) {
  if (auto* main = qobject_cast<QMainWindow*>(form)) return main->menuBar();
  return form->findChild<QMenuBar*>();
}
}  // namespace

void TranslateFormByDictionary(QWidget* form, bool alsoComboItems) {
  if (!form || !HasDictionary()) return;
  TranslateWindowCaption(form);
  ForEachChild(form, [&](QObject* o) {
    if (auto* tabs = qobject_cast<QTabBar*>(o)) {
      TranslateTabs(tabs);
    } else if (auto* button = qobject_cast<TSBM*>(o)) {
      if (!Hint(button).empty()) button->setCaption(L(button->Caption()));
    } else if (auto* combo = qobject_cast<QComboBox*>(o)) {
      if (alsoComboItems) TranslateComboItems(combo);
    } else {
      WithCaption(o, L);
      // Check boxes have always been looked up a second time.
      if (qobject_cast<QCheckBox*>(o)) WithCaption(o, L);
    }
  });
}

void TranslateFormByHints(QWidget* form, bool alsoComboItems) {
  if (!form || !HasDictionary()) return;
  TranslateWindowCaption(form);
  ForEachChild(form, [&](QObject* o) {
    if (auto* tabs = qobject_cast<QTabBar*>(o)) {
      TranslateTabs(tabs);
    } else if (auto* combo = qobject_cast<QComboBox*>(o)) {
      if (alsoComboItems) TranslateComboItems(combo);
    } else {
      const std::string hint = Hint(o);
      if (hint.empty()) return;
      if (auto* button = qobject_cast<TSBM*>(o))
        button->setCaption(hint);
      else
        WithCaption(o, [&](const std::string&) { return hint; });
    }
  });
}

void TranslateMenuByDictionary(QMenuBar* menu) {
  if (!menu || !HasDictionary()) return;
  LookupMenuItems(menu->actions());
}

void TranslateMainMenuByHints(QWidget* form) {
  if (!form || !HasDictionary()) return;
  TranslateFormByHints(form, false);
  if (QMenuBar* bar = MenuBarOf(form)) ChooseMenuItems(bar->actions());
}
