#pragma once
#include <string>
#include <string_view>

// The process's date and time formats, in the letters d, m, y (and h, n, s for
// times) with their separators: "dd/mm/yyyy", "hh:nn:ss". They start as the
// system's and are changed by the date functions that say so.
std::string& ShortDateFormat();
std::string& LongTimeFormat();
// The program's own date format: "dd/mm/yyyy", or the system's short format
// when the alternate-language dictionary is loaded.
std::string ProgramDateFormat();
// The system's short date format (LC_TIME), in the letters above.
std::string SystemShortDateFormat();

// Readings in the current formats; false when the text is not a valid date
// or time. A date without its year takes the current year; a two-digit year
// lands within 50 years of the current one.
bool ParseDate(std::string_view text, double& days);
bool ParseTime(std::string_view text, double& fraction);
// A date, one or more blanks and a time.
bool ParseDateTime(std::string_view text, double& value);
