#pragma once

// The default surface format every window of the editor draws with: a
// compatibility context (fixed-function drawing and display lists) with a
// depth buffer and no multisampling, which would make depth unreadable for
// picking. Set before the QApplication is made.
void SetEditorSurfaceFormat();
