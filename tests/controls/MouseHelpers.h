#pragma once
#include <QPoint>
#include <Qt>

class QWidget;

// Mouse events delivered straight to a widget, with the button state a
// real drag carries (QTest's helpers lose it between calls).
void Press(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton);
void Move(QWidget* w, QPoint p, Qt::MouseButtons held = Qt::LeftButton);
void Release(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton);
void Click(QWidget* w, QPoint p, Qt::MouseButton button = Qt::LeftButton);
