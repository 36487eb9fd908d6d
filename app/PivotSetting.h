#pragma once

// Whether turns go about the selection's common centre (else each element
// about its own), kept in the editor's settings file: each about its own
// unless the user switched it (P in the view).
bool RememberedCommonPivot();
void RememberCommonPivot(bool common);
