#include "LocalTime.h"

#include <cstdio>
#include <ctime>

namespace {
std::tm Now() {
  const std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}
}  // namespace

std::string DateStampDDMMYYYY() {
  const std::tm tm = Now();
  char buf[48];
  std::snprintf(buf, sizeof buf, "%02d%02d%04d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900);
  return buf;
}

std::string TimeStampHHNNSS() {
  const std::tm tm = Now();
  char buf[48];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
  return buf;
}
