#pragma once

// Whether a grab snaps to its neighbours, kept in the editor's settings
// file: on unless the user switched it off (Shift+Tab in the view).
bool RememberedSnapping();
void RememberSnapping(bool on);
