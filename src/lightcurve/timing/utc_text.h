#pragma once
// Dates and times of day as the light curve reads and writes them. Times are counted in ticks of
// 0.1 ms, the finest unit the outputs show.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zuna {

inline constexpr std::int64_t kUtcTicksPerSecond = 10'000;
inline constexpr std::int64_t kUtcTicksPerDay = 86'400 * kUtcTicksPerSecond;

struct UtcDate {
  int year = 1970;
  int month = 1;
  int day = 1;
};

// Days from 1970-01-01, and back.
std::int64_t DaysFromDate(const UtcDate& date);
UtcDate DateFromDays(std::int64_t days);
bool IsRealDate(const UtcDate& date);
// "YYYY-MM-DD".
std::string DateText(const UtcDate& date);

// "HH:MM:SS" with an optional fraction of 1 to 4 digits, as ticks after midnight; nothing unless
// exactly that form with hours below 24 and minutes and seconds below 60.
std::optional<std::int64_t> ParseTimeOfDay(std::string_view text);
// "hh:mm:ss.ssss" of a time in seconds, rounded to the tick and taken modulo a day.
std::string TimeOfDayText(double seconds);

}  // namespace zuna
