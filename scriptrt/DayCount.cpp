#include "scriptrt/DayCount.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace {
constexpr int64_t kMsPerDay = 86400000;
constexpr double kMaxDays = 1e12;  // far beyond any calendar a script uses

// Days since 1970-01-01 (the well-known civil-calendar algorithm).
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = yoe + era * 400 + (m <= 2);
}

const int64_t kEpoch = DaysFromCivil(1899, 12, 30);
}  // namespace

int64_t DayNumber(int64_t year, int month, int day) { return DaysFromCivil(year, month, day) - kEpoch; }

bool ValidDate(int64_t year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

bool SplitDateTime(double value, CivilDateTime& out) {
  if (!std::isfinite(value) || std::fabs(value) > kMaxDays) return false;
  int64_t days = static_cast<int64_t>(std::trunc(value));
  int64_t ms = std::llround(std::fabs(value - std::trunc(value)) * kMsPerDay);
  if (ms >= kMsPerDay) {  // 23:59:59.9996 rounds into the next day
    ms -= kMsPerDay;
    ++days;
  }
  const int64_t unixDays = days + kEpoch;
  CivilFromDays(unixDays, out.year, out.month, out.day);
  out.hour = static_cast<int>(ms / 3600000);
  out.minute = static_cast<int>(ms / 60000 % 60);
  out.second = static_cast<int>(ms / 1000 % 60);
  out.millisecond = static_cast<int>(ms % 1000);
  // 1970-01-01 was a Thursday.
  const int64_t sundayBased = ((unixDays + 4) % 7 + 7) % 7;
  out.weekday = static_cast<int>(sundayBased) + 1;
  return true;
}

double NowAsDays() {
  const auto now = std::chrono::system_clock::now();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  const std::time_t seconds = static_cast<std::time_t>(ms / 1000);
  std::tm tm{};
  localtime_r(&seconds, &tm);
  const int64_t day = DayNumber(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
  const double msOfDay = ((tm.tm_hour * 60.0 + tm.tm_min) * 60.0 + tm.tm_sec) * 1000.0 + static_cast<double>(ms % 1000);
  return static_cast<double>(day) + msOfDay / kMsPerDay;
}
