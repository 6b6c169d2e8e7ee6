#pragma once
// What the capture program's recording log and file name tell about a recording's times: the log's
// "First frame: HH:MM:SS.mmm (UTC)" line, and the date and time the file was named after
// ("yyyy_mm_dd_hh_mm_ss", or "mm_dd_yyyy_hh_mm_ss" with the date at the end).
#include <cstdint>
#include <optional>
#include <string_view>

#include "lightcurve/timing/utc_text.h"

namespace zuna {

// Logs are small: a longer text is read only this far.
inline constexpr std::size_t kMaxLogBytes = 64 * 1024;

// The first frame's time of day in ticks, from one line (its line end not included).
std::optional<std::int64_t> ParseFirstFrameLine(std::string_view line);
// The first "First frame:" line of a log that gives a time.
std::optional<std::int64_t> FirstFrameFromLog(std::string_view text);

struct NamedTime {
  UtcDate date;
  std::int64_t ticks = 0;  // the time of day
};

// The date and time in a recording's file name (without its folder and extension): the first run of
// six numbers joined by '_' that makes a real date and time.
std::optional<NamedTime> TimeFromRecordingName(std::string_view name);

}  // namespace zuna
