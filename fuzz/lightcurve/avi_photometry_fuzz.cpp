// Any bytes as an AVI file to measure: whatever the format, the frames and the positions, the
// photometry either measures or says why not, never reads outside a frame, and its numbers are finite.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "lightcurve/photometry/light_curve_measure.h"
#include "video/avi/avi_byte_source.h"
#include "video/avi_reader/avi_frame_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zuna::AviMemorySource source(zuna::ByteSpan(data, size));
  zuna::AviFrameReader reader;
  if (zuna::Failed(reader.Open(source)) || reader.FrameCount() > 64) return 0;
  zuna::PhotometrySettings settings;
  // Places from the file's last bytes, so that the fuzzer steers them too.
  const auto byte = [&](std::size_t back) { return size > back ? data[size - 1 - back] : 0; };
  settings.target = {static_cast<double>(byte(0)), static_cast<double>(byte(1))};
  if (byte(2) & 1) settings.tracks.push_back({static_cast<double>(byte(3)), static_cast<double>(byte(4))});
  if (byte(2) & 2) settings.comparison = zuna::PlanePoint{static_cast<double>(byte(5)), static_cast<double>(byte(6))};
  if (byte(2) & 4) settings.apertureRadius = 0.5 + byte(7) % 50;
  settings.fields = static_cast<zuna::FieldOrder>(byte(2) >> 3 & 1 ? (byte(2) >> 4 & 1) + 1 : 0);
  zuna::PhotometryRun run;
  std::string problem;
  const zuna::Status status = zuna::MeasureLightCurve(source, reader, settings, {}, &run, &problem);
  if (zuna::Failed(status) == problem.empty()) std::abort();
  for (const zuna::PhotometryPoint& p : run.points) {
    for (const zuna::StarSample& s : p.stars) {
      if (!std::isfinite(s.signal) || !std::isfinite(s.x) || !std::isfinite(s.y)) std::abort();
    }
  }
  return 0;
}
