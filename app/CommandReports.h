#pragma once
#include <cstdint>
#include <string>

#include "document/EditStepNames.h"

// What the status line says after a command, in the interface language
// (Latin-1).

// "Desfeito: mover" / "Undone: move"; "Refeito: ..." / "Redone: ..." for a redo.
std::string UndoneReport(StepName step, bool redo);
// "Nada a desfazer" / "Nothing to undo", and the same for redo.
std::string NothingToReport(bool redo);

enum class Counted { Copied, Pasted, Deleted, Duplicated, Hidden, Shown };
// "3 elementos colados" / "3 elements pasted"; one element in the singular.
std::string CountReport(int32_t count, Counted what);

// A text typed into an exact-value box that could not be applied when
// another command took over.
std::string DiscardedReport(const std::string& typed);
