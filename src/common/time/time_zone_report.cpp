#include "common/time/time_zone_report.h"

#include "common/log/user_messages_log.h"

namespace zuna {

int ReportTimeZone(const Clock& clock) {
  const TimeZoneRecord zone = clock.TimeZone();
  switch (zone.state) {
    case TimeZoneState::kFailed:
      PostStampedMessage(L"Computer time zone is unknown.  You may only use local time and not use UTC time\r\n");
      return 0;
    case TimeZoneState::kUnknown:
      PostStampedMessage(L"Computer local time is " + zone.standardName +
                         L".  Transition dates to daylight savings are unknown or disabled.\r\n");
      return zone.bias + zone.standardBias;
    case TimeZoneState::kStandard:
      PostStampedMessage(L"Computer local time is " + zone.standardName + L"\r\n");
      return zone.bias + zone.standardBias;
    case TimeZoneState::kDaylight:
      PostStampedMessage(L"Computer local time is " + zone.daylightName + L"\r\n");
      return zone.bias + zone.daylightBias;
  }
  return 0;
}

}  // namespace zuna
