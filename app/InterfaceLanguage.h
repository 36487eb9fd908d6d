#pragma once
#include <string>
#include <vector>

// The interface language chosen by the user: for one run with
// `--language pt|en`, or remembered in the settings from the "?" menu.
// Without either, a dictionary beside the program means English.
enum class InterfaceLanguage { Default, Portuguese, English };

// "pt" and "en" name a language; any other text names none (Default).
InterfaceLanguage LanguageNamed(const std::string& name);

// Takes `--language X` or `--language=X` out of the arguments (before a
// "--"). False, with `error` set, when the value is neither pt nor en.
bool TakeLanguageOption(std::vector<std::string>& arguments, InterfaceLanguage* chosen, std::string* error);

InterfaceLanguage RememberedLanguage();
void RememberLanguage(InterfaceLanguage language);

// The language for this run: the option's, else the remembered one, else
// the dictionary's rule (nothing changes).
void ApplyInterfaceLanguage(InterfaceLanguage fromOption);
