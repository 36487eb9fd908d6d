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

bool TakeLanguageOption(std::vector<std::string>& arguments, InterfaceLanguage* chosen, std::string* error) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--") break;
    std::string value;
    size_t taken = 1;
    if (arguments[i] == "--language") {
      if (i + 1 >= arguments.size()) {
        *error = "--language needs pt or en";
        return false;
      }
      value = arguments[i + 1];
      taken = 2;
    } else if (arguments[i].rfind("--language=", 0) == 0) {
      value = arguments[i].substr(11);
    } else {
      continue;
    }
    *chosen = LanguageNamed(value);
    if (*chosen == InterfaceLanguage::Default) {
      *error = "--language takes pt or en";
      return false;
    }
    arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                    arguments.begin() + static_cast<std::ptrdiff_t>(i + taken));
    --i;
  }
  return true;
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
