// Dates and times of scripts: day counts since 1899-12-30 in local time.
#include <cmath>
#include <string>

#include "scriptrt/DateParsing.h"
#include "scriptrt/DayCount.h"
#include "scriptrt/ScriptExports.h"
#include "scriptrt/TextArgs.h"

namespace {
// A field of the date, 0 for a value that is no date (NaN, infinity).
template <class Field>
double FieldOf(double date, Field field) {
  CivilDateTime dt{};
  if (!SplitDateTime(date, dt)) return 0.0;
  return static_cast<double>(field(dt));
}

// Sets the formats the reading of dates uses and puts the previous ones back
// when the reading is over.
class ProgramFormats {
 public:
  ProgramFormats() : date_(ShortDateFormat()), time_(LongTimeFormat()) {
    ShortDateFormat() = ProgramDateFormat();
    LongTimeFormat() = "hh:nn:ss";
  }
  ~ProgramFormats() {
    ShortDateFormat() = date_;
    LongTimeFormat() = time_;
  }
  ProgramFormats(const ProgramFormats&) = delete;
  ProgramFormats& operator=(const ProgramFormats&) = delete;

 private:
  std::string date_, time_;
};
}  // namespace

extern "C" {

double zemoscriptNOW(void) { return NowAsDays(); }
double zemoscriptDATE(void) { return std::trunc(NowAsDays()); }
double zemoscriptTIME(void) {
  const double now = NowAsDays();
  return now - std::trunc(now);
}

double zemoscriptDAY(double date) {
  return FieldOf(date, [](const CivilDateTime& d) { return d.day; });
}
double zemoscriptMONTH(double date) {
  return FieldOf(date, [](const CivilDateTime& d) { return d.month; });
}
double zemoscriptYEAR(double date) {
  return FieldOf(date, [](const CivilDateTime& d) { return d.year; });
}
double zemoscriptHOUR(double date) {
  return FieldOf(date, [](const CivilDateTime& d) { return d.hour; });
}
double zemoscriptMINUTE(double date) {
  return FieldOf(date, [](const CivilDateTime& d) { return d.minute; });
}
double zemoscriptSECOND(double date) {
  return FieldOf(date, [](const CivilDateTime& d) { return d.second; });
}
double zemoscriptMILISECOND(double date) {
  return FieldOf(date, [](const CivilDateTime& d) { return d.millisecond; });
}
double zemoscriptWEEKDAY(double date) {
  return FieldOf(date, [](const CivilDateTime& d) { return d.weekday; });
}

double zemoscriptSTRTOTIME(const ScriptText* text) {
  if (!text) return 0.0;
  const ProgramFormats formats;
  const std::string_view t = TextOf(text);
  const bool hasColon = t.find(':') != std::string_view::npos;
  double value = 0;
  if (t.find('/') != std::string_view::npos && hasColon && t.find(' ') != std::string_view::npos)
    return ParseDateTime(t, value) ? value : 0.0;
  double result = 0;
  if (!hasColon && ParseDate(t, value)) result = value;
  if ((result == 0 || hasColon) && ParseTime(t, value)) result = value;
  return result;
}

}  // extern "C"
