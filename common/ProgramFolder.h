#pragma once
#include <string>

// The folder of the running executable, with a trailing '/'. Data files,
// log.ini and the dictionary live there.
std::string ProgramFolder();

// Tests and tools may point the program at another folder.
void SetProgramFolderForTesting(const std::string& folder);
