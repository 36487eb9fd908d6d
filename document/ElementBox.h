#pragma once
#include "Element3D.h"

// The world box around the element's own box as it is drawn turned: by axy
// about z, then axz about y, then ayz about x, each right-handed, about its
// centre. A box as loose as the turned one could be fills a fifth of a view.
void TurnedBox(const Element3D& e, double lo[3], double hi[3]);
