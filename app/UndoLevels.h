#pragma once

class TFEditorDeObjetos1;
struct CommandCall;

// How many steps can be undone, kept in the editor's settings file: 10
// unless the user raised it (up to 1,000) from the Edit menu.
int RememberedUndoLevels();
void RememberUndoLevels(int levels);

// "Níveis de desfazer...": asks for the number, applies it to the document
// and keeps it for the next start.
void AskUndoLevels(TFEditorDeObjetos1& window, CommandCall& call);
