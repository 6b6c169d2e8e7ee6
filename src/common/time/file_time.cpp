#include "common/time/file_time.h"

#include <cwchar>

namespace zuna {
namespace {

// Days from 1601-01-01 to the given civil date (proleptic Gregorian), by the usual era arithmetic.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const std::int64_t daysFrom1970 = era * 146097 + static_cast<std::int64_t>(doe) - 719468;
  return daysFrom1970 + 134774;  // 1601-01-01 .. 1970-01-01
}

void CivilFromDays(std::int64_t daysFrom1601, int& y, int& m, int& d) {
  const std::int64_t z = daysFrom1601 - 134774 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0));
}

}  // namespace

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidCalendarTime(const CalendarTime& t) {
  return t.year >= 1601 && t.year <= 30827 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
         t.day <= DaysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 &&
         t.second >= 0 && t.second <= 59 && t.millisecond >= 0 && t.millisecond <= 999;
}

std::optional<FileTime> ToFileTime(const CalendarTime& t) {
  if (!IsValidCalendarTime(t)) return std::nullopt;
  const std::int64_t days = DaysFromCivil(t.year, static_cast<unsigned>(t.month), static_cast<unsigned>(t.day));
  const std::int64_t ms = ((static_cast<std::int64_t>(t.hour) * 60 + t.minute) * 60 + t.second) * 1000 + t.millisecond;
  return static_cast<FileTime>(days) * kTicksPerDay + static_cast<FileTime>(ms) * kTicksPerMillisecond;
}

CalendarTime ToCalendarTime(FileTime t) {
  CalendarTime c;
  const auto days = static_cast<std::int64_t>(t / kTicksPerDay);
  FileTime rest = t % kTicksPerDay;
  CivilFromDays(days, c.year, c.month, c.day);
  c.dayOfWeek = static_cast<int>((days + 1) % 7);  // 1601-01-01 was a Monday
  const auto ms = static_cast<int>(rest / kTicksPerMillisecond);
  c.millisecond = ms % 1000;
  c.second = ms / 1000 % 60;
  c.minute = ms / 60000 % 60;
  c.hour = ms / 3600000;
  return c;
}

CalendarTime AddMinutes(const CalendarTime& t, int minutes) {
  const auto ft = ToFileTime(t);
  if (!ft) return t;
  const auto delta = static_cast<std::int64_t>(minutes) * static_cast<std::int64_t>(kTicksPerMinute);
  const auto base = static_cast<std::int64_t>(*ft);
  if (base + delta < 0) return ToCalendarTime(0);
  return ToCalendarTime(static_cast<FileTime>(base + delta));
}

std::wstring FormatTimeOfDay(const CalendarTime& t) {
  wchar_t buf[16];
  std::swprintf(buf, 16, L"%02d:%02d:%02d", t.hour, t.minute, t.second);
  return buf;
}

}  // namespace zuna
