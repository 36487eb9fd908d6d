#pragma once
#include <string>

#include "document/DocumentFile.h"

// The warnings of the document commands, each wholly in the interface
// language: the reason a read or a write gives is shown through a pair of
// texts like every other message.

// The reason alone ("shorter than the 22-byte header" or its Portuguese
// text); a reason without a pair of its own gets a general one.
std::string ReasonText(const Outcome& result, bool reading);

// `path` is the file's name as the system spells it (UTF-8); the warning
// shows it as the Latin-1 text every message is.
std::string ReadWarning(const std::string& path, const Outcome& result);
// A document that ended early: "N of M elements were read".
std::string EarlyEndWarning(const std::string& path, const Outcome& result);
std::string SaveWarning(const std::string& path, const Outcome& result);

// The question before a save over the document's file that another program
// changed (or replaced) since it was read.
std::string ChangedOnDiskQuestion(const std::string& path);
