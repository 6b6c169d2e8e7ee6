#include "lightcurve/timing/utc_text.h"

#include <cmath>
#include <cstdio>

namespace zuna {
namespace {

std::optional<int> Digits(std::string_view text, std::size_t at, std::size_t count) {
  if (at + count > text.size()) return std::nullopt;
  int value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

// The civil-calendar day count of the proleptic Gregorian calendar, by 400-year eras.
std::int64_t DaysFromDate(const UtcDate& d) {
  const std::int64_t y = d.year - (d.month <= 2 ? 1 : 0);
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (d.month + (d.month > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

UtcDate DateFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

bool IsRealDate(const UtcDate& d) {
  if (d.year < 1900 || d.year > 9999 || d.month < 1 || d.month > 12 || d.day < 1 || d.day > 31) return false;
  const UtcDate back = DateFromDays(DaysFromDate(d));
  return back.year == d.year && back.month == d.month && back.day == d.day;
}

std::string DateText(const UtcDate& d) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", d.year, d.month, d.day);
  return text;
}

std::optional<std::int64_t> ParseTimeOfDay(std::string_view text) {
  if (text.size() < 8 || text[2] != ':' || text[5] != ':') return std::nullopt;
  const std::optional<int> h = Digits(text, 0, 2), m = Digits(text, 3, 2), s = Digits(text, 6, 2);
  if (!h || !m || !s || *h > 23 || *m > 59 || *s > 59) return std::nullopt;
  std::int64_t ticks = ((*h * 60LL + *m) * 60 + *s) * kUtcTicksPerSecond;
  if (text.size() == 8) return ticks;
  const std::size_t digits = text.size() - 9;
  if (text[8] != '.' || digits < 1 || digits > 4) return std::nullopt;
  const std::optional<int> fraction = Digits(text, 9, digits);
  if (!fraction) return std::nullopt;
  int scale = 1;
  for (std::size_t i = digits; i < 4; ++i) scale *= 10;
  return ticks + *fraction * scale;
}

std::string TimeOfDayText(double seconds) {
  if (!std::isfinite(seconds)) seconds = 0;
  seconds = std::fmod(seconds, 86'400.0);
  std::int64_t ticks = static_cast<std::int64_t>(std::llround(seconds * kUtcTicksPerSecond)) % kUtcTicksPerDay;
  if (ticks < 0) ticks += kUtcTicksPerDay;
  const std::int64_t s = ticks / kUtcTicksPerSecond;
  char text[32];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d.%04d", static_cast<int>(s / 3600), static_cast<int>(s / 60 % 60),
                static_cast<int>(s % 60), static_cast<int>(ticks % kUtcTicksPerSecond));
  return text;
}

}  // namespace zuna
