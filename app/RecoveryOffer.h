#pragma once
#include <string>

struct RecoveryCopy;

// The texts of the offer to open what an editor that ended without saving
// left behind, in the interface's Latin-1.

// The question; `openDocument` (when not empty) is the document the copy
// would replace.
std::string RecoveryOfferText(const std::string& openDocument);

// One line of the offer: which document the copy belongs to, where it
// lives, and when the copy was written.
std::string RecoveryCopyLine(const RecoveryCopy& copy);
