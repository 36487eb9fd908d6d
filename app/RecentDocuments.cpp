#include "RecentDocuments.h"

#include <sys/stat.h>

#include <QFile>
#include <QSettings>
#include <QStringList>
#include <algorithm>
#include <cerrno>

#include "UserFolders.h"

namespace {
const char kKey[] = "recent/documents";
}

QString RecentDocuments::SettingsFile() {
  const std::string folder = UserConfigFolder();
  if (folder.empty()) return {};
  return QFile::decodeName(QByteArray::fromStdString(folder)) + "/objetos3d/objetos3d.ini";
}

bool RecentDocuments::UsableFile(const QString& file) {
  if (file.isEmpty()) return false;
  struct stat st {};
  // A link to a regular file is followed, as QSettings does; a pipe or a
  // device would block or never end.
  if (::stat(QFile::encodeName(file).constData(), &st) != 0) return errno == ENOENT;
  return S_ISREG(st.st_mode) && st.st_size <= kMaxFileBytes;
}

bool RecentDocuments::Usable(const QString& file) const {
  if (file.isEmpty()) return false;
  if (UsableFile(file)) return true;
  if (!warned_)
    qWarning("objetos3d: the settings file %s is ignored: it is not a regular file of at most 1 MB",
             QFile::encodeName(file).constData());
  warned_ = true;
  return false;
}

std::vector<std::string> RecentDocuments::Load() const {
  const QString file = SettingsFile();
  if (!Usable(file)) return {};
  QSettings settings(file, QSettings::IniFormat);
  std::vector<std::string> paths;
  // Byte arrays keep paths that are not valid UTF-8 as they are.
  for (const QVariant& v : settings.value(kKey).toList()) {
    const std::string path = v.toByteArray().toStdString();
    if (path.empty() || path.find('\0') != std::string::npos) continue;
    if (std::find(paths.begin(), paths.end(), path) != paths.end()) continue;
    paths.push_back(path);
    if (static_cast<int>(paths.size()) == kMax) break;
  }
  return paths;
}

void RecentDocuments::Add(const std::string& path) const {
  const QString file = SettingsFile();
  if (path.empty() || !Usable(file)) return;
  std::vector<std::string> paths = Load();
  paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
  paths.insert(paths.begin(), path);
  if (static_cast<int>(paths.size()) > kMax) paths.resize(kMax);
  QVariantList list;
  for (const std::string& p : paths) list.append(QByteArray::fromStdString(p));
  QSettings settings(file, QSettings::IniFormat);
  settings.setValue(kKey, list);
}
