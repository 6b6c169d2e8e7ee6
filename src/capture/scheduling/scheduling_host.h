#pragma once
// What the scheduling windows need of the capture program around them.
#include <functional>
#include <string>

#include "common/time/file_time.h"

namespace zuna {

// The options the "Schedule Event" window shows and names files by, read when it needs them.
struct ScheduleSettings {
  bool dateTimeAtEndSaved = false;  // the value to save labels the window
  bool dateTimeAtEndInUse = false;  // the value in use names the file
  std::wstring globalPrefix;        // "EventFileGlobalPrefix"
  CalendarTime defaultDuration{1601, 1, 1, 0, 10, 0, 0};
};

struct SchedulingHost {
  std::function<ScheduleSettings()> settings;
  // Rebuilds the schedule from the event files; the earliest event becomes pending.
  std::function<void()> rebuildSchedule;
  std::function<bool()> eventPending;
  // Drops the pending event: its countdown, the file name prepared for it, the countdown window and
  // the "Event pending" title.
  std::function<void()> cancelPendingEvent;
};

}  // namespace zuna
