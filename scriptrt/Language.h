#pragma once

// The run-time keeps its own copy of the interface language; it reads the
// same dictionary beside the executable as the program, once, on first use.
void EnsureDictionaryLoaded();
