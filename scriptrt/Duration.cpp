// Durations written as counts and unit letters ("1D 2H 30M") turned into days.
#include <string>

#include "common/Latin1.h"
#include "common/TextToNumber.h"
#include "scriptrt/ScriptExports.h"
#include "scriptrt/TextArgs.h"

extern "C" double zemoscriptF2T(const ScriptText* text) {
  struct Unit {
    const char* letters;
    double milliseconds;
  };
  // MS comes first so that M never takes the M of MS.
  static const Unit kUnits[] = {{"MS", 1}, {"D", 86400000}, {"H", 3600000}, {"M", 60000}, {"S", 1000}};
  std::string t = Latin1Upper(TextOf(text));
  double total = 0;
  for (const Unit& unit : kUnits) {
    const size_t at = t.find(unit.letters);
    if (at == std::string::npos) continue;
    const size_t blank = at == 0 ? std::string::npos : t.rfind(' ', at - 1);
    const size_t countStart = blank == std::string::npos ? 0 : blank + 1;
    const std::string count = t.substr(countStart, at - countStart);
    // A count that is no number counts as 0.
    total += TextToNumber(count) * unit.milliseconds;
    t.erase(countStart, at - countStart + std::char_traits<char>::length(unit.letters));
  }
  return total * (1.0 / 24) * (1.0 / 60) * (1.0 / 60) * 0.001;
}
