#include "InterfaceLanguage.h"

#include <QSettings>

#include "RecentDocuments.h"
#include "common/Dictionary.h"

namespace {
const char kKey[] = "interface/language";
}

InterfaceLanguage LanguageNamed(const std::string& name) {
  return name == "pt"   ? InterfaceLanguage::Portuguese
         : name == "en" ? InterfaceLanguage::English
                        : InterfaceLanguage::Default;
}

InterfaceLanguage RememberedLanguage() {
  QSettings settings(RecentDocuments::SettingsFile(), QSettings::IniFormat);
  const QString v = settings.value(kKey).toString();
  return v == "pt"   ? InterfaceLanguage::Portuguese
         : v == "en" ? InterfaceLanguage::English
                     : InterfaceLanguage::Default;
}

void RememberLanguage(InterfaceLanguage language) {
  QSettings settings(RecentDocuments::SettingsFile(), QSettings::IniFormat);
  if (language == InterfaceLanguage::Default)
    settings.remove(kKey);
  else
    settings.setValue(kKey, language == InterfaceLanguage::English ? "en" : "pt");
}

void ApplyInterfaceLanguage(InterfaceLanguage fromOption) {
  const InterfaceLanguage language = fromOption != InterfaceLanguage::Default ? fromOption : RememberedLanguage();
  if (language != InterfaceLanguage::Default) UseLanguage(language == InterfaceLanguage::English);
}
