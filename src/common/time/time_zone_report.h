#pragma once
#include "common/time/clock.h"

namespace zuna {

// Posts the one line that names the computer's time zone and returns the minutes to add to local
// time to obtain UTC (0 when the zone cannot be queried).
int ReportTimeZone(const Clock& clock);

}  // namespace zuna
