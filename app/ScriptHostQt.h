#pragma once

// Installs the editor's host into the script run-time: the control
// library's date picker and numeric input box, the keyboard state as the
// application sees it, the screen size and the message boxes.
void InstallQtScriptHost();
void RemoveQtScriptHost();
