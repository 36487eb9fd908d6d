#pragma once
#include <QString>

#include <string>
#include <vector>

// The last documents opened or saved, newest first, at most kMax, kept in
// an INI file through QSettings under the user's configuration folder
// (XDG_CONFIG_HOME, else ~/.config). Paths are the system's bytes.
class RecentDocuments {
 public:
  static constexpr int kMax = 8;

  // The file the list lives in, looked up at each call so that a changed
  // configuration folder is honoured.
  static QString SettingsFile();

  std::vector<std::string> Load() const;
  // Puts `path` first (once), drops the oldest beyond kMax, and stores the list.
  void Add(const std::string& path) const;
};
