#pragma once
#include <QImage>

// The disabled look of a button picture: every pixel that is not the face
// colour becomes a grey between 96 and 223.
QImage DisabledPicture(const QImage& picture, QRgb face);

// Pictures drawn on one of the usual grey backgrounds take the face colour
// instead, so that they sit on a white selector as well as on a grey one.
// The picture becomes 24 bits per pixel; an empty one is left alone.
void ReplaceGreysWithFace(QImage& picture, QRgb face);

// A picture of the control library (see DrawControlPicture) at the
// screens' device pixel ratio.
QImage ControlPicture(const char* name);
