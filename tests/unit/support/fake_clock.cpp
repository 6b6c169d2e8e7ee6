#include "support/fake_clock.h"

namespace zuna::test {

void FakeClock::Advance(int seconds) {
  const auto step = static_cast<FileTime>(seconds) * kTicksPerSecond;
  utc = ToCalendarTime(*ToFileTime(utc) + step);
  local = ToCalendarTime(*ToFileTime(local) + step);
}

void FakeClock::AdvanceMilliseconds(int milliseconds) {
  const auto step = static_cast<FileTime>(milliseconds) * (kTicksPerSecond / 1000);
  utc = ToCalendarTime(*ToFileTime(utc) + step);
  local = ToCalendarTime(*ToFileTime(local) + step);
}

}  // namespace zuna::test
