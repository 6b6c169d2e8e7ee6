#pragma once
// The photometry of a whole file: every kept frame (or each of its two fields) measured in turn, the
// target and the other stars followed from plane to plane. Dropped frames are gaps: no point stands
// for them. Frames that cannot be read and planes where the target's aperture leaves the picture are
// gaps too, and counted.
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/foundation/status.h"
#include "lightcurve/photometry/star_measure.h"
#include "video/avi/avi_byte_source.h"
#include "video/avi_reader/avi_frame_reader.h"

namespace zuna {

// Interlaced video measured field by field, the earlier field first (N.00, then N.50).
enum class FieldOrder { kFrames, kTopFirst, kBottomFirst };

struct PhotometrySettings {
  // Where the stars were chosen: the places below are in this frame. The file is measured from it
  // backwards to the first frame and forwards to the last, so that the stars are followed from
  // wherever the observer picked them.
  std::uint32_t startFrame = 0;
  PlanePoint target;               // pixel coordinates in the picture as shown, in the start frame
  std::vector<PlanePoint> tracks;  // at most two
  std::optional<PlanePoint> comparison;
  std::optional<double> apertureRadius;  // pixels; from the stars' width when absent
  FieldOrder fields = FieldOrder::kFrames;
};

struct StarSample {
  double x = 0;  // where the aperture stood, frame coordinates
  double y = 0;
  double signal = 0;
  double background = 0;
  double backgroundSigma = 0;
  int saturated = 0;
  bool snapped = false;   // the star was found by itself, not placed by the tracking stars
  bool measured = false;  // false: the aperture left the picture
};

struct PhotometryPoint {
  double position = 0;  // N, or N + 0.5 for the second field
  std::uint32_t frame = 0;
  std::vector<StarSample> stars;  // as PhotometryRun::starNames
};

struct PhotometryRun {
  std::vector<std::string> starNames;   // "target", then "comparison", "track1", "track2" as given
  std::vector<PlanePoint> startPlaces;  // where each was found at the start
  ApertureGeometry aperture;
  double fwhm = 0;
  std::uint32_t frames = 0;
  std::uint32_t droppedFrames = 0;
  std::uint32_t unreadableFrames = 0;
  std::uint32_t offEdgePoints = 0;    // the target's aperture left the picture
  std::uint32_t saturatedPoints = 0;  // points with saturated pixels in the target's aperture
  int mostSaturatedPixels = 0;
  std::vector<PhotometryPoint> points;
};

struct PhotometryHooks {
  std::function<void(std::uint32_t done, std::uint32_t total)> progress;  // now and then, by frame
  const std::atomic<bool>* cancel = nullptr;
};

// kOk with the run, its points in time order; kFail with one line saying why for input that cannot
// be measured (a compressed or unreadable format, a start frame past the end or dropped, a position
// outside the picture, no star near a position, no frame to measure); kAbort when cancelled.
Status MeasureLightCurve(AviByteSource& file, const AviFrameReader& reader, const PhotometrySettings& settings,
                         const PhotometryHooks& hooks, PhotometryRun* run, std::string* problem);

// The aperture a star of this width (FWHM, pixels) is measured with, unless the radius is given.
ApertureGeometry ApertureFor(double fwhm, std::optional<double> radius);

}  // namespace zuna
