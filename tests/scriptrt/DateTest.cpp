#include <array>
#include <cmath>
#include <ctime>

#include "ScriptLibrary.h"

namespace {
// Year, month, day, weekday, hour, minute, second, millisecond.
using Fields = std::array<double, 8>;

Fields FieldsOf(double date) {
  auto f = [date](const char* name) { return Fn<NumFn1>(name)(date); };
  return {f("zemoscriptYEAR"), f("zemoscriptMONTH"),  f("zemoscriptDAY"),    f("zemoscriptWEEKDAY"),
          f("zemoscriptHOUR"), f("zemoscriptMINUTE"), f("zemoscriptSECOND"), f("zemoscriptMILISECOND")};
}

TEST(DateFields, KnownDaysAndTimes) {
  const std::pair<double, Fields> cases[] = {
      {0, {1899, 12, 30, 7}},  // the epoch, a Saturday
      {2, {1900, 1, 1, 2}},
      {25569, {1970, 1, 1, 5}},
      {45351, {2024, 2, 29, 5}},  // leap day
      {45352, {2024, 3, 1, 6}},
      {-1.25, {1899, 12, 29, 6, 6}},  // before the epoch the fraction still counts forward
      {-693593, {1, 1, 1, 2}},
      {45351 + (13 * 3600 + 14 * 60 + 15.678) / 86400.0, {2024, 2, 29, 5, 13, 14, 15, 678}},
      {45351 + 0.9999999999, {2024, 3, 1, 6}}};  // a hair before midnight is the next day
  for (const auto& [date, expected] : cases) EXPECT_EQ(FieldsOf(date), expected) << std::fixed << date;
  for (double bad : {std::nan(""), double{INFINITY}, 1e300}) EXPECT_EQ(FieldsOf(bad), Fields{}) << bad;
}

TEST(Clock, NowIsLocalTimeAndWaitsLastTheirTime) {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  const Fields now = FieldsOf(Fn<NumFn0>("zemoscriptNOW")());
  EXPECT_EQ(Fields({now[0], now[1], now[2]}), Fields({tm.tm_year + 1900.0, tm.tm_mon + 1.0, tm.tm_mday + 0.0}));
  EXPECT_NEAR(now[4] * 60 + now[5], tm.tm_hour * 60 + tm.tm_min, 1);
  EXPECT_EQ(Fn<NumFn0>("zemoscriptDATE")(), std::trunc(Fn<NumFn0>("zemoscriptNOW")()));

  // The waits last at least their time, by both clocks (ticks wrap at 31 bits).
  const double ticks = Fn<NumFn0>("zemoscriptTIMER")();
  Fn<void()>("zemoscriptprocRESETPERFORMANCECOUNTER")();
  Fn<void(double)>("zemoscriptprocDELAY")(30);
  Fn<void(double)>("zemoscriptprocSLEEP")(20.4);
  Fn<void(double)>("zemoscriptprocSLEEP")(-5);  // returns at once
  const double counter = Fn<NumFn0>("zemoscriptPERFORMANCECOUNTER")();
  EXPECT_TRUE(counter >= 49 && counter < 10000) << counter;
  EXPECT_GE(std::fmod(Fn<NumFn0>("zemoscriptFASTTIMER")() - ticks + 0x1p31, 0x1p31), 49.0);
}

TEST(TextToTime, DatesTimesAndDurations) {
  const std::pair<const char*, double> cases[] = {{"01/01/2000", 36526},
                                                  {"29/2/2024", 45351},
                                                  {"29/02/2024 18:00:00", 45351.75},
                                                  {"29/02/2024  6:30", 45351 + 6.5 / 24},
                                                  {"12:30", 12.5 / 24},
                                                  {"00:00:30", 30.0 / 86400},
                                                  {"1:15 PM", 13.25 / 24},
                                                  {"1/1/00", 36526},  // two-digit years near the current one
                                                  {"", 0},
                                                  {"abc", 0},
                                                  {"31/02/2024", 0},
                                                  {"2024-01-01", 0},
                                                  {"25:00", 0},
                                                  {"12:61", 0},
                                                  {"1/1/2000 noon", 0},
                                                  {"10", 0}};
  for (const auto& [text, expected] : cases) EXPECT_DOUBLE_EQ(OnText("zemoscriptSTRTOTIME", text), expected) << text;
  EXPECT_EQ(Fn<TextNumFn>("zemoscriptSTRTOTIME")(nullptr), 0.0);
  const Fields christmas = FieldsOf(OnText("zemoscriptSTRTOTIME", "25/12"));  // no year: this year
  EXPECT_EQ(Fields({christmas[0], christmas[1], christmas[2]}),
            Fields({FieldsOf(Fn<NumFn0>("zemoscriptNOW")())[0], 12, 25}));
  // Durations take their units in any order.
  const double dhm = 1 + 2.0 / 24 + 30.0 / 1440, mms = (5 * 60000 + 250) / 86400000.0;
  const std::pair<const char*, double> durations[] = {{"1D 2H 30M", dhm},
                                                      {"30M 1D 2H", dhm},
                                                      {"90S", 90.0 / 86400},
                                                      {"5M 250MS", mms},
                                                      {"250MS 5M", mms},  // M does not take the M of MS
                                                      {"1,5H", 1.5 / 24},
                                                      {"2h 15m", 2.25 / 24},
                                                      {"xD", 0},
                                                      {"", 0},
                                                      {"1D 2D", 1}};  // each unit counts once
  for (const auto& [text, expected] : durations) EXPECT_DOUBLE_EQ(OnText("zemoscriptF2T", text), expected) << text;
}
}  // namespace
