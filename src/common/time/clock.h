#pragma once
// The source of "now" and of the computer's time zone. Everything time-dependent asks this seam,
// so rules are tested with a fake clock and no waiting.
#include <string>

#include "common/time/file_time.h"

namespace zuna {

enum class TimeZoneState { kFailed, kUnknown, kStandard, kDaylight };

struct TimeZoneRecord {
  TimeZoneState state = TimeZoneState::kFailed;
  int bias = 0;          // minutes, UTC = local + bias (+ the standard or daylight bias)
  int standardBias = 0;  // minutes
  int daylightBias = 0;  // minutes
  std::wstring standardName;
  std::wstring daylightName;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual CalendarTime UtcNow() const = 0;
  virtual CalendarTime LocalNow() const = 0;
  virtual TimeZoneRecord TimeZone() const = 0;
};

}  // namespace zuna
