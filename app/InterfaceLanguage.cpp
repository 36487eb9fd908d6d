#include "InterfaceLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <cstdlib>
#include <vector>

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

LocaleVariables LocaleVariables::FromEnvironment() {
  auto get = [](const char* name) {
    const char* v = std::getenv(name);
    return std::string(v ? v : "");
  };
  return {get("LC_ALL"), get("LC_MESSAGES"), get("LANG"), get("LANGUAGE")};
}

InterfaceLanguage LanguageOfLocale(const LocaleVariables& locale) {
  std::string name = !locale.lcAll.empty()        ? locale.lcAll
                     : !locale.lcMessages.empty() ? locale.lcMessages
                                                  : locale.lang;
  // The language part only: "pt_BR.UTF-8@euro" is "pt".
  auto languageOf = [](const std::string& n) { return n.substr(0, n.find_first_of("_.@")); };
  const std::string base = languageOf(name);
  if (base.empty() || base == "C" || base == "POSIX") return InterfaceLanguage::Default;
  // LANGUAGE lists the preferred languages of a locale that is set.
  if (!locale.language.empty()) {
    const std::string first = languageOf(locale.language.substr(0, locale.language.find(':')));
    if (!first.empty()) return first == "pt" ? InterfaceLanguage::Portuguese : InterfaceLanguage::English;
  }
  return base == "pt" ? InterfaceLanguage::Portuguese : InterfaceLanguage::English;
}

InterfaceLanguage DecideInterfaceLanguage(InterfaceLanguage option, InterfaceLanguage remembered, bool dictionary,
                                          InterfaceLanguage desktop) {
  if (option != InterfaceLanguage::Default) return option;
  if (remembered != InterfaceLanguage::Default) return remembered;
  if (dictionary) return InterfaceLanguage::Default;  // the dictionary's English stays
  return desktop;
}

void ApplyInterfaceLanguage(InterfaceLanguage fromOption) {
  const InterfaceLanguage language = DecideInterfaceLanguage(fromOption, RememberedLanguage(), HasDictionary(),
                                                             LanguageOfLocale(LocaleVariables::FromEnvironment()));
  if (language != InterfaceLanguage::Default) UseLanguage(language == InterfaceLanguage::English);
}

bool LoadQtTranslations() {
  if (HasDictionary() || !QCoreApplication::instance()) return false;  // Qt's own texts are English
  // Portuguese as the desktop writes it (Portugal or Brazil), else Brazil's,
  // the one Qt's translations always have.
  std::vector<QLocale> wanted{QLocale(QLocale::Portuguese, QLocale::Brazil)};
  if (QLocale::system().language() == QLocale::Portuguese) wanted.insert(wanted.begin(), QLocale::system());
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const QLocale& locale : wanted) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(locale, "qtbase", "_", folder)) {
      QCoreApplication::installTranslator(translator);
      return true;
    }
    delete translator;
  }
  return false;
}
