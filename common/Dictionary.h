#pragma once
#include <string>

// The interface language. Every text the user sees is a Portuguese text and
// an alternate (English) one; the presence of tradutorgeral.dat beside the
// executable switches the whole process to the alternate texts. Texts are
// Latin-1 bytes.

// Loads tradutorgeral.dat from the program folder (or from its parent when
// the program lives in a sub-folder named "objs"). Idempotent.
void LoadDictionary();
// Loads a dictionary from a given file (tests, tools). Same rules.
void LoadDictionaryFile(const std::string& path);
void FreeDictionary();

bool HasDictionary();
bool IsGeneralDictionary();
// The default font character set, which a CHARTSET= line may change.
int DefaultCharset();

// Translation by dictionary; `text` unchanged when nothing matches.
std::string Lookup(const std::string& text);
// The text to show for a message pair.
std::string Choose(const std::string& portuguese, const std::string& alternate);
// Folds the accented Latin-1 letters the dictionary keys are written without.
std::string RemoveAccents(const std::string& text);

// Sets the interface language for the rest of the process, whatever file
// lies beside the program: English shows the alternate texts (an empty
// dictionary), Portuguese the Portuguese ones (no dictionary).
void UseLanguage(bool english);
