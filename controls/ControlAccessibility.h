#pragma once
#include <QString>

class QWidget;
class TMulfig;

// What screen readers and other assistive tools see of the hand-drawn
// controls: each control class answers Qt's accessibility questions (role,
// name, state, actions, value) the way Qt's own widgets do, so the
// desktop's accessibility bus shows buttons that can be pressed, choices
// that say which one is chosen and spin boxes with their values.

// Makes the answers known to Qt; every control does it when it is made.
void InstallControlAccessibility();

// A control's name for assistive tools: its accessible name when the
// window gave it one, else the text of the label whose buddy it is (without
// "&" and a closing ":"), else `fallback`.
QString AccessibleNameOf(const QWidget* widget, const QString& fallback = {});

// Tell assistive tools what changed.
void NotifyFocusedItem(TMulfig* selector, int item);
void NotifyValueChanged(QWidget* widget, int value);
void NotifyCheckedChanged(QWidget* widget);
