#include "scriptrt/DateParsing.h"

#include <langinfo.h>

#include <cctype>
#include <ctime>
#include <vector>

#include "common/Dictionary.h"
#include "common/Latin1.h"
#include "scriptrt/DayCount.h"
#include "scriptrt/Language.h"

namespace {
constexpr int kCenturyWindow = 50;

int CurrentYear() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm.tm_year + 1900;
}

// Splits at `separator`; every part must be 1 to 4 digits (blanks around
// them allowed).
bool SplitNumbers(std::string_view text, char separator, std::vector<std::string>& parts) {
  parts.clear();
  std::string current;
  auto finish = [&]() {
    const std::string part = Trim(current);
    current.clear();
    if (part.empty() || part.size() > 4) return false;
    for (char c : part)
      if (c < '0' || c > '9') return false;
    parts.push_back(part);
    return true;
  };
  for (char c : text) {
    if (c == separator) {
      if (!finish()) return false;
    } else {
      current += c;
    }
  }
  return finish();
}

int64_t WithCentury(const std::string& yearText) {
  int64_t year = std::stoi(yearText);
  if (yearText.size() > 2) return year;
  const int threshold = CurrentYear() - kCenturyWindow;
  year += threshold / 100 * 100;
  if (year < threshold) year += 100;
  return year;
}
}  // namespace

std::string& ShortDateFormat() {
  static std::string format = SystemShortDateFormat();
  return format;
}

std::string& LongTimeFormat() {
  static std::string format = "hh:nn:ss";
  return format;
}

std::string ProgramDateFormat() {
  EnsureDictionaryLoaded();
  return HasDictionary() ? SystemShortDateFormat() : "dd/mm/yyyy";
}

std::string SystemShortDateFormat() {
  const char* f = nl_langinfo(D_FMT);
  std::string out;
  for (; f && *f; ++f) {
    if (*f != '%') {
      out += *f;
      continue;
    }
    ++f;
    if (*f == '\0') break;
    switch (*f) {
      case 'd':
        out += "dd";
        break;
      case 'e':
        out += "d";
        break;
      case 'm':
        out += "mm";
        break;
      case 'y':
        out += "yy";
        break;
      case 'Y':
        out += "yyyy";
        break;
      case 'D':
        out += "mm/dd/yy";
        break;
      case 'F':
        out += "yyyy-mm-dd";
        break;
      default:
        break;
    }
  }
  return out.find('d') != std::string::npos && out.find('m') != std::string::npos ? out : "dd/mm/yyyy";
}

bool ParseDate(std::string_view text, double& days) {
  const std::string& format = ShortDateFormat();
  std::string order;
  char separator = '/';
  bool haveSeparator = false;
  for (char c : format) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if ((lower == 'd' || lower == 'm' || lower == 'y') && order.find(lower) == std::string::npos) order += lower;
    if (!haveSeparator && !std::isalpha(static_cast<unsigned char>(c))) {
      separator = c;
      haveSeparator = true;
    }
  }
  if (order.size() != 3) order = "dmy";

  std::vector<std::string> parts;
  if (!SplitNumbers(text, separator, parts) || parts.size() < 2 || parts.size() > 3) return false;
  int64_t year = CurrentYear();
  int month = 0, day = 0;
  if (parts.size() == 2) {
    // Without the year the other two keep their order.
    const bool dayFirst = order.find('d') < order.find('m');
    day = std::stoi(parts[dayFirst ? 0 : 1]);
    month = std::stoi(parts[dayFirst ? 1 : 0]);
  } else {
    for (size_t i = 0; i < 3; ++i) {
      if (order[i] == 'd') day = std::stoi(parts[i]);
      if (order[i] == 'm') month = std::stoi(parts[i]);
      if (order[i] == 'y') year = WithCentury(parts[i]);
    }
  }
  if (!ValidDate(year, month, day)) return false;
  days = static_cast<double>(DayNumber(year, month, day));
  return true;
}

bool ParseTime(std::string_view text, double& fraction) {
  std::string t = Trim(text);
  int pm = -1;  // -1: no AM/PM mark
  if (t.size() >= 2) {
    const std::string mark = Latin1Upper(t.substr(t.size() - 2));
    if (mark == "AM" || mark == "PM") {
      pm = mark == "PM";
      t = Trim(t.substr(0, t.size() - 2));
    }
  }
  std::string millis;
  const size_t dot = t.find('.');
  if (dot != std::string::npos) {
    millis = t.substr(dot + 1);
    t = t.substr(0, dot);
    if (millis.empty() || millis.size() > 3) return false;
    for (char c : millis)
      if (c < '0' || c > '9') return false;
  }
  std::vector<std::string> parts;
  if (!SplitNumbers(t, ':', parts) || parts.size() > 3) return false;
  if (parts.size() == 1 && pm < 0) return false;  // a bare number is no time
  int hour = std::stoi(parts[0]);
  const int minute = parts.size() > 1 ? std::stoi(parts[1]) : 0;
  const int second = parts.size() > 2 ? std::stoi(parts[2]) : 0;
  const int ms = millis.empty() ? 0 : std::stoi(millis);
  if (pm >= 0) {
    if (hour < 1 || hour > 12) return false;
    hour = hour % 12 + (pm ? 12 : 0);
  }
  if (hour > 23 || minute > 59 || second > 59) return false;
  fraction = ((hour * 60.0 + minute) * 60.0 + second + ms / 1000.0) / 86400.0;
  return true;
}

bool ParseDateTime(std::string_view text, double& value) {
  const std::string t = Trim(text);
  const size_t blank = t.find(' ');
  if (blank == std::string::npos) return false;
  double date = 0, time = 0;
  if (!ParseDate(t.substr(0, blank), date) || !ParseTime(t.substr(blank + 1), time)) return false;
  // Before the epoch the time runs the other way from the (negative) day.
  value = date < 0 ? date - time : date + time;
  return true;
}
