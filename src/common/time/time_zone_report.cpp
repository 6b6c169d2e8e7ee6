#include "common/time/time_zone_report.h"

#include "common/log/user_messages_log.h"

namespace zuna {

int ReportTimeZone(const Clock& clock) {
  const TimeZoneRecord zone = clock.TimeZone();
  switch (zone.state) {
    case TimeZoneState::kFailed:
      PostUserMessage(L"Computer time zone is unknown.  You may only use local time and not use UTC time\r\n", true);
      return 0;
    case TimeZoneState::kUnknown:
      PostUserMessage(L"Computer local time is " + zone.standardName +
                          L".  Transition dates to daylight savings are unknown or disabled.\r\n",
                      true);
      return zone.bias + zone.standardBias;
    case TimeZoneState::kStandard:
      PostUserMessage(L"Computer local time is " + zone.standardName + L"\r\n", true);
      return zone.bias + zone.standardBias;
    case TimeZoneState::kDaylight:
      PostUserMessage(L"Computer local time is " + zone.daylightName + L"\r\n", true);
      return zone.bias + zone.daylightBias;
  }
  return 0;
}

}  // namespace zuna
