#pragma once
// The computer's UTC time for the command-line tools; their logs need nothing else of the clock
// (local time is UTC, and no time zone is known).
#include "common/time/clock.h"

namespace zuna {

class SystemClock final : public Clock {
 public:
  CalendarTime UtcNow() const override;
  CalendarTime LocalNow() const override { return UtcNow(); }
  TimeZoneRecord TimeZone() const override { return {}; }
};

}  // namespace zuna
