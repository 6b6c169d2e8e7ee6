#pragma once
// What zuna-lightcurve does: measures a star through an AVI file, finds its disappearance (D) and
// reappearance (R), prints them with their intervals and UTC times (or as JSON for scripts), and
// writes the light curve as CSV when asked.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "lightcurve/report/light_curve_report.h"

namespace zuna {

// Exit statuses.
inline constexpr int kLightCurveMeasured = 0;    // an event found or not: the output says which
inline constexpr int kLightCurveNotWritten = 1;  // measured, but the CSV could not be written
inline constexpr int kLightCurveBadInput = 2;

inline constexpr std::string_view kLightCurveUsageText =
    "usage: zuna-lightcurve FILE --target X,Y [--track X,Y]... [--comparison X,Y] [--frame N]\n"
    "                       [--aperture R] [--fields top|bottom] [--first-frame-utc HH:MM:SS.mmm]\n"
    "                       [--csv OUT] [--json]\n"
    "  Positions are pixels from the top-left corner of frame N as shown (frame 0 unless given).\n";

struct LightCurveCommandLine : LightCurveRequest {
  std::optional<std::filesystem::path> csv;
  bool json = false;
};

// "X,Y": two decimal numbers from 0 to 32767.
std::optional<PlanePoint> ParsePixelPosition(std::string_view text);
// An aperture radius in pixels, 0.5 to 50.
std::optional<double> ParseApertureRadius(std::string_view text);

// The arguments after the program name; nothing, with the problem in one line, when they make no
// valid command line.
std::optional<LightCurveCommandLine> ParseLightCurveCommandLine(const std::vector<std::string>& args,
                                                                std::string* problem);

struct LightCurveToolHooks {
  std::function<void(std::uint32_t done, std::uint32_t total)> progress;
  const std::atomic<bool>* cancel = nullptr;
};

// Runs the whole tool and returns its exit status. Results go to `out`, problems (one line each) to `err`.
int RunLightCurveTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                      const LightCurveToolHooks& hooks = {});

}  // namespace zuna
