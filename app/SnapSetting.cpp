#include "SnapSetting.h"

#include <QSettings>

#include "RecentDocuments.h"

namespace {
const char kKey[] = "edit/snapping";
}

bool RememberedSnapping() {
  const QString file = RecentDocuments::SettingsFile();
  if (!RecentDocuments::UsableFile(file)) return true;
  // Anything but a plain "false" in the user's file leaves it on.
  return QSettings(file, QSettings::IniFormat).value(kKey, true).toString() != "false";
}

void RememberSnapping(bool on) {
  const QString file = RecentDocuments::SettingsFile();
  if (!RecentDocuments::UsableFile(file)) return;
  QSettings(file, QSettings::IniFormat).setValue(kKey, on);
}
