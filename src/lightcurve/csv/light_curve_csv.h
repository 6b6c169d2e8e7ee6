#pragma once
// The light curve as the CSV that occultation analysis tools read as it is. They decide the layout
// from the first line and then look for the header line by the word "FrameNum", so:
//   # ZUNA Video light curve <version>
//   # ... (what was measured and how; never the word FrameNum)
//   FrameNum,timeInfo,signal-target[,signal-comparison][,signal-track1][,signal-track2],background-...,x-...,y-...,saturated-...
//   12.00,[21:05:09.1234],1523.41,...
// Columns 3 to 6 hold star signals only; frame numbers have two decimals (fields: N.00 and N.50);
// times are "[hh:mm:ss.ssss]"; a dropped frame has no row.
#include <string>
#include <string_view>
#include <vector>

#include "lightcurve/photometry/light_curve_measure.h"
#include "lightcurve/timing/frame_times.h"

namespace zuna {

inline constexpr std::string_view kHeaderWord = "FrameNum";

// A comment line's text with every "FrameNum" (in any case) broken up, so that no reader takes it for
// the header.
std::string CsvCommentText(std::string_view text);

// The whole file, lines ending in CR LF. `comments` become "# " lines after the first.
std::string LightCurveCsv(std::string_view version, const std::vector<std::string>& comments, const PhotometryRun& run,
                          const FrameTimes& times);

}  // namespace zuna
