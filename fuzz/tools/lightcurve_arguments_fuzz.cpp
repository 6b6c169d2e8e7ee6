// Any command line for zuna-lightcurve (arguments separated by NUL bytes): it parses or says why not,
// and every number it takes stays inside its range.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "lightcurve/timing/utc_text.h"
#include "tools/lightcurve_command.h"

namespace {

bool InRange(zuna::PlanePoint p) {
  return p.x >= 0 && p.y >= 0 && p.x <= 32767 && p.y <= 32767;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> args;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t end = std::min(text.find('\0', at), text.size());
    args.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  std::string problem;
  const auto command = zuna::ParseLightCurveCommandLine(args, &problem);
  if (!command) {
    if (problem.empty()) std::abort();
  } else {
    const zuna::PhotometrySettings& s = command->settings;
    if (!InRange(s.target) || s.tracks.size() > 2) std::abort();
    for (const zuna::PlanePoint& p : s.tracks) {
      if (!InRange(p)) std::abort();
    }
    if (s.apertureRadius && (*s.apertureRadius < 0.5 || *s.apertureRadius > 50)) std::abort();
    if (command->firstFrameUtc && (*command->firstFrameUtc < 0 || *command->firstFrameUtc >= zuna::kUtcTicksPerDay)) {
      std::abort();
    }
  }
  if (const auto p = zuna::ParsePixelPosition(text); p && !InRange(*p)) std::abort();
  if (const auto t = zuna::ParseTimeOfDay(text); t && (*t < 0 || *t >= zuna::kUtcTicksPerDay)) std::abort();
  return 0;
}
