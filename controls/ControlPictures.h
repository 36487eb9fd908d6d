#pragma once
#include <QImage>
#include <QString>

// The pictures of the control library (spin arrows "UG" and "DG", the key
// cap "keycap" and the element palette's "cursor", "cube", "cylinder" and
// "sphere"), drawn from their outlines at `ratio` device pixels per unit,
// so that they stay crisp on a scaled desktop. The image carries the ratio;
// its size in widget units does not depend on it. An unknown name gives a
// null image.
QImage DrawControlPicture(const QString& name, qreal ratio);

// The key cap `width` units wide (the ends keep their rounding).
QImage KeyCapPicture(int width, qreal ratio);
