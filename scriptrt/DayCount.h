#pragma once
#include <cstdint>

// Date-time doubles: days since 1899-12-30, the fraction being the time of
// day (for dates before the epoch too: -1.25 is 1899-12-29 06:00).
struct CivilDateTime {
  int64_t year;
  int month, day;  // 1-12, 1-31
  int hour, minute, second, millisecond;
  int weekday;  // 1 = Sunday ... 7 = Saturday
};

// Days since 1899-12-30 of a calendar date (proleptic Gregorian).
int64_t DayNumber(int64_t year, int month, int day);
bool ValidDate(int64_t year, int month, int day);
// False for a NaN, an infinity or a value too large to be a date.
bool SplitDateTime(double value, CivilDateTime& out);
// The current local date and time.
double NowAsDays();
