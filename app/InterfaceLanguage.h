#pragma once
#include <string>

// The interface language chosen by the user: for one run with
// `--language pt|en`, or remembered in the settings from the "?" menu.
// Without either, a dictionary beside the program means English, and
// without one the desktop's language decides.
enum class InterfaceLanguage { Default, Portuguese, English };

// "pt" and "en" name a language; any other text names none (Default).
InterfaceLanguage LanguageNamed(const std::string& name);

InterfaceLanguage RememberedLanguage();
void RememberLanguage(InterfaceLanguage language);

// The desktop's language as the locale variables give it: the first of
// LC_ALL, LC_MESSAGES, LANG that is set, and then LANGUAGE's first entry
// unless that locale is C or POSIX. Portuguese for "pt..." ("pt_BR.UTF-8",
// "pt"), English for any other language, Default for C, POSIX or nothing.
struct LocaleVariables {
  std::string lcAll, lcMessages, lang, language;
  static LocaleVariables FromEnvironment();
};
InterfaceLanguage LanguageOfLocale(const LocaleVariables& locale);

// The language for this run: the option's, else the remembered one, else
// English when a dictionary lies beside the program, else the desktop's.
// Default: the program's own Portuguese (nothing changes).
InterfaceLanguage DecideInterfaceLanguage(InterfaceLanguage option, InterfaceLanguage remembered, bool dictionary,
                                          InterfaceLanguage desktop);

// Applies that rule with the settings and the environment of this process.
void ApplyInterfaceLanguage(InterfaceLanguage fromOption);

// Qt's own dialogs (file dialogs, the buttons of message boxes, the colour
// dialog) in the interface language: Qt's translations for Portuguese are
// loaded into the application when the interface is Portuguese. False
// when they are not installed (the dialogs then stay in English).
bool LoadQtTranslations();
