#include "PivotSetting.h"

#include <QSettings>

#include "RecentDocuments.h"

namespace {
const char kKey[] = "edit/commonPivot";
}

bool RememberedCommonPivot() {
  const QString file = RecentDocuments::SettingsFile();
  if (!RecentDocuments::UsableFile(file)) return false;
  // Only a plain "true" in the user's file turns about the common centre.
  return QSettings(file, QSettings::IniFormat).value(kKey, false).toString() == "true";
}

void RememberCommonPivot(bool common) {
  const QString file = RecentDocuments::SettingsFile();
  if (!RecentDocuments::UsableFile(file)) return;
  QSettings(file, QSettings::IniFormat).setValue(kKey, common);
}
