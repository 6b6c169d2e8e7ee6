#pragma once
// A whole light-curve analysis of one file, as the playback program's window and zuna-lightcurve
// both run it: the photometry, the frame times, the D and R fit, and their texts (the facts of the
// measurement, the results, the CSV). Both outputs say the same because both come from here.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/foundation/status.h"
#include "lightcurve/edges/edge_fit.h"
#include "lightcurve/photometry/light_curve_measure.h"
#include "lightcurve/timing/frame_times.h"
#include "video/avi_reader/avi_frame_reader.h"

namespace zuna {

struct LightCurveRequest {
  std::filesystem::path file;
  PhotometrySettings settings;
  std::optional<std::int64_t> firstFrameUtc;  // ticks of 0.1 ms after midnight
};

// Everything one analysis found.
struct LightCurveReport {
  LightCurveRequest request;
  AviStreamFormat format;
  PhotometryRun run;
  FrameTimes times;
  EdgeFitResult fit;
  std::uint32_t framesMeasured = 0;
  std::vector<std::string> warnings;
};

// R - D in seconds with its 95 % interval.
struct EventDuration {
  double seconds = 0;
  double lo = 0;
  double hi = 0;
};

// kOk with the report; kAbort when cancelled; kFail with one line saying why for a file that cannot
// be read or measured.
Status AnalyzeLightCurve(const LightCurveRequest& request, const PhotometryHooks& hooks, LightCurveReport* report,
                         std::string* problem);

// The path as UTF-8 text.
std::string PathText(const std::filesystem::path& path);
// A number with that many decimals ("0" for what is not finite).
std::string FixedText(double value, int decimals);

// The duration from the fit's own trials, when both edges were found.
std::optional<EventDuration> DurationOf(const LightCurveReport& report);
// "UTC" or "time after the first frame".
std::string TimeLabel(const FrameTimes& times);
// The measurement's facts (file, frames, stars, aperture, field mode, timing), one line each.
std::vector<std::string> FactLines(const LightCurveReport& report);
// The results: the event decision, D, R, duration, DNR, the false-positive figure, warnings.
std::vector<std::string> ResultLines(const LightCurveReport& report);
// The whole CSV file, facts and results as its comments.
std::string ReportCsv(std::string_view version, const LightCurveReport& report);

}  // namespace zuna
