#pragma once
#include "common/time/clock.h"

namespace zuna::test {

// A clock that stands still until the test moves it.
class FakeClock final : public Clock {
 public:
  CalendarTime utc{2024, 3, 5, 21, 7, 9, 0};
  CalendarTime local{2024, 3, 5, 22, 7, 9, 0};
  TimeZoneRecord zone{TimeZoneState::kStandard, -60, 0, -60, L"W. Europe Standard Time", L"W. Europe Daylight Time"};

  CalendarTime UtcNow() const override { return utc; }
  CalendarTime LocalNow() const override { return local; }
  TimeZoneRecord TimeZone() const override { return zone; }

  // Moves both clocks by the same number of seconds.
  void Advance(int seconds);
  void AdvanceMilliseconds(int milliseconds);
};

}  // namespace zuna::test
