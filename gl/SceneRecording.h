#pragma once

struct SceneState;

// Writes the OBJ export of the scene's frame without drawing it: the frame's
// element drawing runs with the OpenGL calls switched off (RecordOnlyDrawing),
// so only the recording happens and no GL context is needed. The files are
// the ones a drawn frame would record, byte for byte. Does nothing unless an
// export is recording (StartExport); its outcome is LastExportOutcome().
void RecordScene(SceneState& scene);
