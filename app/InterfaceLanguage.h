#pragma once
#include <string>

// The interface language chosen by the user: for one run with
// `--language pt|en`, or remembered in the settings from the "?" menu.
// Without either, a dictionary beside the program means English.
enum class InterfaceLanguage { Default, Portuguese, English };

// "pt" and "en" name a language; any other text names none (Default).
InterfaceLanguage LanguageNamed(const std::string& name);

InterfaceLanguage RememberedLanguage();
void RememberLanguage(InterfaceLanguage language);

// The language for this run: the option's, else the remembered one, else
// the dictionary's rule (nothing changes).
void ApplyInterfaceLanguage(InterfaceLanguage fromOption);
