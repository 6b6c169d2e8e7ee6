// Any text as a recording log, a recording's file name and a per-frame times file: no crash, times
// that stay finite, and a frames file that the reader takes writes back to one that reads the same.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "lightcurve/timing/frame_times.h"
#include "lightcurve/timing/recording_log_times.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int64_t> first = zuna::FirstFrameFromLog(text);
  if (first && (*first < 0 || *first >= zuna::kUtcTicksPerDay)) std::abort();
  if (const auto named = zuna::TimeFromRecordingName(text); named && !zuna::IsRealDate(named->date)) std::abort();

  std::string problem;
  if (const auto entries = zuna::ParseFrameTimesFile(text, &problem)) {
    std::string again;
    const auto back = zuna::ParseFrameTimesFile(zuna::FormatFrameTimesFile(*entries), &again);
    if (!back || back->size() != entries->size()) std::abort();
    for (std::size_t i = 0; i < back->size(); ++i) {
      if ((*back)[i].frame != (*entries)[i].frame || (*back)[i].ticks != (*entries)[i].ticks ||
          (*back)[i].dropped != (*entries)[i].dropped) {
        std::abort();
      }
    }
  } else if (problem.empty()) {
    std::abort();
  }

  std::vector<std::string> warnings;
  const zuna::FrameTimes times =
      zuna::FrameTimes::Build({30000, 1001, text.substr(0, 64), {}, text, "x.frames.csv", text, "x.txt"}, &warnings);
  for (const double position : {0.0, 0.5, 17.0, 99'999'998.5}) {
    if (!std::isfinite(times.At(position)) || zuna::TimeOfDayText(times.At(position)).size() != 13) std::abort();
  }
  return 0;
}
