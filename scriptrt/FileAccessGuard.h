#pragma once
#include <string>

// Whether a script may touch `fileName`: always when no application folder is
// set; otherwise when the file lies in that folder, or anywhere once the user
// has allowed it (asked once per process through the host). Folders are
// compared exactly, after resolving ".", ".." and links; the file's own name
// is not followed, since deleting or renaming a link touches the link.
// `fileName` is a file-system path (UTF-8), as is the application folder.
bool FileAccessAllowed(const std::string& fileName);

// The same for a file that is read: when `fileName` is a link, the file it
// leads to must be allowed too.
bool FileReadAllowed(const std::string& fileName);
