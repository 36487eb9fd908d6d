#include <chrono>
#include <cmath>
#include <ctime>

#include "ScriptLibrary.h"

namespace {
struct Fields {
  double day, month, year, hour, minute, second, ms, weekday;
};

Fields FieldsOf(double date) {
  return {Fn<NumFn1>("zemoscriptDAY")(date),    Fn<NumFn1>("zemoscriptMONTH")(date),
          Fn<NumFn1>("zemoscriptYEAR")(date),   Fn<NumFn1>("zemoscriptHOUR")(date),
          Fn<NumFn1>("zemoscriptMINUTE")(date), Fn<NumFn1>("zemoscriptSECOND")(date),
          Fn<NumFn1>("zemoscriptMILISECOND")(date), Fn<NumFn1>("zemoscriptWEEKDAY")(date)};
}

void ExpectDate(double date, int year, int month, int day, int weekday) {
  const Fields f = FieldsOf(date);
  EXPECT_EQ(f.year, year) << date;
  EXPECT_EQ(f.month, month) << date;
  EXPECT_EQ(f.day, day) << date;
  EXPECT_EQ(f.weekday, weekday) << date;
}

double StrToTime(const char* text) {
  TextVar t(text);
  return Fn<TextNumFn>("zemoscriptSTRTOTIME")(t);
}

double F2T(const char* text) {
  TextVar t(text);
  return Fn<TextNumFn>("zemoscriptF2T")(t);
}

TEST(DateFields, KnownDays) {
  ExpectDate(0, 1899, 12, 30, 7);       // the epoch, a Saturday
  ExpectDate(2, 1900, 1, 1, 2);         // Monday
  ExpectDate(25569, 1970, 1, 1, 5);     // Thursday
  ExpectDate(36526, 2000, 1, 1, 7);     // Saturday
  ExpectDate(45351, 2024, 2, 29, 5);    // leap day, Thursday
  ExpectDate(45352, 2024, 3, 1, 6);
  ExpectDate(-1.25, 1899, 12, 29, 6);   // before the epoch the fraction still counts forward
  ExpectDate(-693593, 1, 1, 1, 2);
}

TEST(DateFields, TimeOfDay) {
  const double t = 45351 + (13 * 3600 + 14 * 60 + 15.678) / 86400.0;
  const Fields f = FieldsOf(t);
  EXPECT_EQ(f.hour, 13);
  EXPECT_EQ(f.minute, 14);
  EXPECT_EQ(f.second, 15);
  EXPECT_EQ(f.ms, 678);
  EXPECT_EQ(FieldsOf(-1.25).hour, 6);
  // A hair before midnight rounds to the next day's midnight.
  const Fields late = FieldsOf(45351 + 0.9999999999);
  EXPECT_EQ(late.day, 1);
  EXPECT_EQ(late.month, 3);
  EXPECT_EQ(late.hour, 0);
}

TEST(DateFields, NotADateGivesZeros) {
  for (double bad : {std::nan(""), double{INFINITY}, 1e300}) {
    const Fields f = FieldsOf(bad);
    EXPECT_EQ(f.day + f.month + f.year + f.hour + f.minute + f.second + f.ms + f.weekday, 0.0) << bad;
  }
}

TEST(Clock, NowIsLocalTime) {
  const double now = Fn<NumFn0>("zemoscriptNOW")();
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  const Fields f = FieldsOf(now);
  EXPECT_EQ(f.year, tm.tm_year + 1900);
  EXPECT_EQ(f.month, tm.tm_mon + 1);
  EXPECT_EQ(f.day, tm.tm_mday);
  EXPECT_NEAR(f.hour * 60 + f.minute, tm.tm_hour * 60 + tm.tm_min, 1);
  EXPECT_EQ(Fn<NumFn0>("zemoscriptDATE")(), std::trunc(Fn<NumFn0>("zemoscriptNOW")()));
  const double time = Fn<NumFn0>("zemoscriptTIME")();
  EXPECT_GE(time, 0.0);
  EXPECT_LT(time, 1.0);
}

TEST(Clock, TimersAndWaits) {
  const double before = Fn<NumFn0>("zemoscriptTIMER")();
  Fn<void()>("zemoscriptprocRESETPERFORMANCECOUNTER")();
  const auto start = std::chrono::steady_clock::now();
  Fn<void(double)>("zemoscriptprocDELAY")(30);
  const auto delayed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(delayed, std::chrono::milliseconds(29));
  Fn<void(double)>("zemoscriptprocSLEEP")(20.4);
  const auto slept = std::chrono::steady_clock::now() - start;
  EXPECT_GE(slept, std::chrono::milliseconds(49));
  const double counter = Fn<NumFn0>("zemoscriptPERFORMANCECOUNTER")();
  EXPECT_GE(counter, 49.0);
  EXPECT_LT(counter, 10000.0);
  const double after = Fn<NumFn0>("zemoscriptFASTTIMER")();
  EXPECT_GE(std::fmod(after - before + 2147483648.0, 2147483648.0), 49.0);
  EXPECT_LE(Fn<NumFn0>("zemoscriptWINDOWSTIMER")(), 2147483647.0);
  Fn<void(double)>("zemoscriptprocSLEEP")(-5);  // returns at once
}

TEST(StrToTime, DatesTimesAndBoth) {
  EXPECT_EQ(StrToTime("01/01/2000"), 36526.0);
  EXPECT_EQ(StrToTime("29/2/2024"), 45351.0);
  EXPECT_DOUBLE_EQ(StrToTime("29/02/2024 18:00:00"), 45351.75);
  EXPECT_DOUBLE_EQ(StrToTime("29/02/2024  6:30"), 45351 + 6.5 / 24);
  EXPECT_DOUBLE_EQ(StrToTime("12:30"), 12.5 / 24);
  EXPECT_DOUBLE_EQ(StrToTime("00:00:30"), 30.0 / 86400);
  EXPECT_DOUBLE_EQ(StrToTime("1:15 PM"), 13.25 / 24);
  EXPECT_EQ(StrToTime("1/1/00"), 36526.0);  // two-digit years near the current one
  const double thisYear = Fn<NumFn1>("zemoscriptYEAR")(Fn<NumFn0>("zemoscriptNOW")());
  const Fields christmas = FieldsOf(StrToTime("25/12"));  // no year: this year
  EXPECT_EQ(christmas.year, thisYear);
  EXPECT_EQ(christmas.month, 12);
  EXPECT_EQ(christmas.day, 25);
}

TEST(StrToTime, UnreadableGivesZero) {
  for (const char* bad : {"", "abc", "31/02/2024", "2024-01-01", "25:00", "12:61", "1/1/2000 noon", "10"})
    EXPECT_EQ(StrToTime(bad), 0.0) << bad;
  EXPECT_EQ(Fn<TextNumFn>("zemoscriptSTRTOTIME")(nullptr), 0.0);
}

TEST(Durations, UnitsInAnyOrder) {
  EXPECT_DOUBLE_EQ(F2T("1D 2H 30M"), 1 + 2.0 / 24 + 30.0 / 1440);
  EXPECT_DOUBLE_EQ(F2T("30M 1D 2H"), 1 + 2.0 / 24 + 30.0 / 1440);
  EXPECT_DOUBLE_EQ(F2T("90S"), 90.0 / 86400);
  EXPECT_DOUBLE_EQ(F2T("5M 250MS"), (5 * 60000 + 250) / 86400000.0);  // M does not take the M of MS
  EXPECT_DOUBLE_EQ(F2T("250MS 5M"), (5 * 60000 + 250) / 86400000.0);
  EXPECT_DOUBLE_EQ(F2T("1,5H"), 1.5 / 24);
  EXPECT_DOUBLE_EQ(F2T("2h 15m"), 2.25 / 24);
  EXPECT_EQ(F2T("xD"), 0.0);
  EXPECT_EQ(F2T(""), 0.0);
  EXPECT_DOUBLE_EQ(F2T("1D 2D"), 1.0);  // each unit counts once
}
}  // namespace
