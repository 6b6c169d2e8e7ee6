#pragma once
// Instants and calendar records. A FileTime counts 100-nanosecond units since 1601-01-01 00:00 UTC
// (the platform's own convention, so values pass through unchanged on Windows).
#include <cstdint>
#include <optional>
#include <string>

namespace zuna {

using FileTime = std::uint64_t;

inline constexpr FileTime kTicksPerMillisecond = 10'000;
inline constexpr FileTime kTicksPerSecond = 10'000'000;
inline constexpr FileTime kTicksPerMinute = 60 * kTicksPerSecond;
inline constexpr FileTime kTicksPerDay = 86'400 * kTicksPerSecond;

struct CalendarTime {
  int year = 1601;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  int dayOfWeek = 1;  // 0 = Sunday; filled by conversions from FileTime
  bool operator==(const CalendarTime& o) const {
    return year == o.year && month == o.month && day == o.day && hour == o.hour && minute == o.minute &&
           second == o.second && millisecond == o.millisecond;
  }
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// True when every field lies in its calendar range (years 1601..30827, as the platform allows).
bool IsValidCalendarTime(const CalendarTime& t);

// Exact conversions; an invalid calendar record gives no value.
std::optional<FileTime> ToFileTime(const CalendarTime& t);
CalendarTime ToCalendarTime(FileTime t);

// Adds a signed number of minutes to a calendar record (used to turn local time into UTC).
CalendarTime AddMinutes(const CalendarTime& t, int minutes);

// "HH:mm:ss", 24-hour clock.
std::wstring FormatTimeOfDay(const CalendarTime& t);

}  // namespace zuna
