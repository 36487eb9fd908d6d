#pragma once
#include <string>

// Whether a script may touch `fileName`: always when no application folder is
// set; otherwise inside that folder, or anywhere once the user has allowed it
// (asked once per process through the host). `fileName` is a file-system
// path (UTF-8), as is the application folder.
bool FileAccessAllowed(const std::string& fileName);
