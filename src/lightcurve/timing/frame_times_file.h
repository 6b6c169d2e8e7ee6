#pragma once
// The per-frame times file beside a recording, NAME.frames.csv for NAME.avi: the UTC time at which
// the capture chain stamped each frame slot. Text, lines ending in LF or CR LF:
//
//   # ZUNA Video frame times
//   frame,utc,flag
//   0,2024-03-07 21:05:09.1234,kept
//   1,2024-03-07 21:05:09.1568,dropped
//
// One line per frame slot, frame numbers as the AVI file counts them (dropped slots included) and
// rising; times to 0.1 ms (1 to 4 decimals are read); the flag "kept" or "dropped". Further lines
// starting with '#' are comments. Frames the file does not list take the time of the last listed one
// before them plus whole frame periods.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "video/avi_writer/frame_times_writer.h"

namespace zuna {

// The lines the capture program writes first (video/avi_writer/frame_times_writer.h).
inline constexpr std::string_view kFrameTimesFirstLine = kFrameTimesFileFirstLine;
inline constexpr std::string_view kFrameTimesHeader = kFrameTimesFileHeader;
// A frames file is read only this far (about 35 hours at 30 frames per second).
inline constexpr std::size_t kMaxFrameTimesBytes = 160u << 20;

struct FrameTimeEntry {
  std::uint32_t frame = 0;
  std::int64_t ticks = 0;  // 0.1 ms since 1970-01-01 00:00 UTC
  bool dropped = false;
};

// The entries, or nothing with the first problem (naming its line).
std::optional<std::vector<FrameTimeEntry>> ParseFrameTimesFile(std::string_view text, std::string* problem);
// The file's text for these entries, lines ending in CR LF.
std::string FormatFrameTimesFile(const std::vector<FrameTimeEntry>& entries);

}  // namespace zuna
