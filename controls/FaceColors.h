#pragma once
#include "WinColor.h"

// Face colours shared by every selector (TMulfig) and every spin button
// (TZSpin) of the process. An application sets them before it builds its
// windows; the editor paints both white.
extern TColor CorFaceMulfig;
extern TColor CorFaceSpin;
