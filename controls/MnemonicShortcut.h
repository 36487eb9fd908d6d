#pragma once
#include <functional>
#include <string>

class QShortcut;
class QWidget;

// An "&" before a letter of a button's caption makes Alt+letter a click.
// Keeps `shortcut` (owned by `owner`, created on first need) in step with
// the caption; `click` runs when the shortcut is pressed.
void UpdateMnemonic(QWidget* owner, QShortcut*& shortcut, const std::string& caption, std::function<void()> click);
