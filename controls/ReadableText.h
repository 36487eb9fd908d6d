#pragma once
#include <QColor>

// Captions drawn by hand must stay readable whatever the desktop's palette
// does to the text colour: the palette's colour when it stands out from
// what lies under the caption, otherwise black or white, whichever stands
// out more.
double ContrastRatio(const QColor& a, const QColor& b);  // 1 (none) to 21
QColor ReadableOn(const QColor& background, const QColor& preferred);
