#pragma once
// An event of the schedule: the event file's record with its times worked out (all UTC).
#include <optional>
#include <string_view>

#include "capture/events/event_file_record.h"
#include "common/time/file_time.h"

namespace zuna {

// Less than this much recording left and an event is not loaded.
inline constexpr FileTime kMinimumRecordingLeft = 20 * kTicksPerSecond;

struct ScheduledEvent {
  CalendarTime eventTime{};                       // day of week and milliseconds 0
  CalendarTime duration{0, 0, 0, 0, 0, 0, 0, 0};  // only hour, minute and second count
  FileTime startTime = 0;                         // eventInstant - durationTicks / 2
  FileTime eventInstant = 0;
  FileTime endTime = 0;  // eventInstant + durationTicks / 2
  FileTime durationTicks = 0;
  bool hibernate = false;
  bool shutdown = false;
  bool expired = false;  // now was at or after endTime at conversion
  // False when the date, time or duration is no calendar value; such an event is never scheduled
  // and its times are 0.
  bool valid = false;
  EventFileRecord eventRecord;
};

// Reads an unsigned number as "%<width>hu" does, without sign: leading blanks skipped, then up to
// `width` digits. Nothing when no digit stands there.
std::optional<int> ParseEventNumber(std::wstring_view text, std::size_t width);

// Converts a record read from an event file; `now` decides `expired`.
ScheduledEvent ToScheduledEvent(const EventFileRecord& record, FileTime now);

}  // namespace zuna
