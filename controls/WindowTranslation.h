#pragma once

class QWidget;
class QMenuBar;

// Translation of whole windows into the interface language. Captions hold
// the Portuguese text and hints (see ControlHint.h) the alternate one. With
// no dictionary loaded all four do nothing. Child widgets are visited
// depth-first in creation order; separate windows parented to the form
// (dialogs) are left to translate themselves.
void TranslateFormByDictionary(QWidget* form, bool alsoComboItems);
void TranslateFormByHints(QWidget* form, bool alsoComboItems);
void TranslateMenuByDictionary(QMenuBar* menu);
// TranslateFormByHints, then every item of the window's menu bar gets
// Choose(caption, hint), except the items TranslateMenuByDictionary gave a
// translation of their own: the dictionary's text stays.
void TranslateMainMenuByHints(QWidget* form);
