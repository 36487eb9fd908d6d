#pragma once
#include <QPalette>
#include <QRect>

class QPainter;

// The mark a hand-drawn control shows while it has the keyboard: a frame in
// the desktop's highlight colour, seen on a light or a dark face alike.
void DrawFocusMark(QPainter& painter, const QRect& r, const QPalette& palette);
