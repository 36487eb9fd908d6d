#include "RecentDocuments.h"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>

namespace {
const char kKey[] = "recent/documents";
}

QString RecentDocuments::SettingsFile() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/objetos3d/objetos3d.ini";
}

std::vector<std::string> RecentDocuments::Load() const {
  QSettings settings(SettingsFile(), QSettings::IniFormat);
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
  if (path.empty()) return;
  std::vector<std::string> paths = Load();
  paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
  paths.insert(paths.begin(), path);
  if (static_cast<int>(paths.size()) > kMax) paths.resize(kMax);
  QVariantList list;
  for (const std::string& p : paths) list.append(QByteArray::fromStdString(p));
  QSettings settings(SettingsFile(), QSettings::IniFormat);
  settings.setValue(kKey, list);
}
