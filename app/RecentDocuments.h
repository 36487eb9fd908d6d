#pragma once
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

// The last documents opened or saved, newest first, at most kMax, kept in
// an INI file through QSettings under the user's configuration folder
// (UserConfigFolder). Paths are the system's bytes. The file is data: it is
// read, and written over, only while it is a regular file of at most
// kMaxFileBytes; otherwise the list is empty and the file left alone, and
// this object says so once on stderr.
class RecentDocuments {
 public:
  static constexpr int kMax = 8;
  static constexpr int64_t kMaxFileBytes = 1024 * 1024;

  // The file the list lives in, looked up at each call so that a changed
  // configuration folder is honoured; empty when there is no such folder.
  static QString SettingsFile();

  // Whether the settings file may be read and written: a regular file of
  // at most kMaxFileBytes, or none yet (a pipe would block every reader).
  static bool UsableFile(const QString& file);

  std::vector<std::string> Load() const;
  // Puts `path` first (once), drops the oldest beyond kMax, and stores the list.
  void Add(const std::string& path) const;

 private:
  // Whether `file` may be read and written (a missing one may be made).
  bool Usable(const QString& file) const;
  mutable bool warned_ = false;
};
