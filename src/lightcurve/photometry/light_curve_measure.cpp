#include "lightcurve/photometry/light_curve_measure.h"

#include <algorithm>
#include <cstdio>

#include "lightcurve/photometry/frame_luma.h"
#include "lightcurve/photometry/star_tracker.h"

namespace zuna {
namespace {

constexpr double kGap = 2;              // between the aperture and its annulus, pixels
constexpr double kMinAnnulusWidth = 4;  // pixels
constexpr double kRadiusPerFwhm = 1.2;
constexpr std::uint32_t kProgressEvery = 64;  // frames

std::string PlaceText(PlanePoint p) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f,%.1f", p.x, p.y);
  return text;
}

std::vector<StarTracker::Star> StarsOf(const PhotometrySettings& s) {
  std::vector<StarTracker::Star> stars;
  stars.push_back({"target", s.target});
  if (s.comparison) stars.push_back({"comparison", *s.comparison});
  for (std::size_t i = 0; i < s.tracks.size(); ++i) {
    StarTracker::Star track{"track" + std::to_string(i + 1), s.tracks[i]};
    track.tracking = true;
    stars.push_back(track);
  }
  return stars;
}

bool Inside(PlanePoint p, int width, int height) {
  return p.x >= 0 && p.y >= 0 && p.x <= width - 1 && p.y <= height - 1;
}

// The parities of a frame's planes, in time order.
std::vector<int> Parities(FieldOrder order) {
  switch (order) {
    case FieldOrder::kTopFirst:
      return {0, 1};
    case FieldOrder::kBottomFirst:
      return {1, 0};
    case FieldOrder::kFrames:
      break;
  }
  return {-1};
}

class RunBuilder {
 public:
  RunBuilder(const PhotometrySettings& settings, PhotometryRun* run) : settings_(settings), run_(run) {}

  // Measures one plane; false (with the problem) when the stars cannot be found at the start.
  bool Measure(const LumaPlane& plane, double position, std::uint32_t frame, std::string* problem) {
    if (!started_) {
      if (!tracker_.Start(plane, StarsOf(settings_), problem)) return false;
      started_ = true;
      run_->fwhm = tracker_.Fwhm();
      run_->aperture = ApertureFor(tracker_.Fwhm(), settings_.apertureRadius);
      for (const StarTracker::Star& star : tracker_.Stars()) {
        run_->starNames.push_back(star.name);
        run_->startPlaces.push_back(star.place);
      }
    } else {
      tracker_.Follow(plane);
    }
    PhotometryPoint point{position, frame, {}};
    point.stars.reserve(tracker_.Stars().size());
    for (const StarTracker::Star& star : tracker_.Stars()) point.stars.push_back(Sample(plane, star));
    const StarSample& target = point.stars.front();
    if (!target.measured) {
      ++run_->offEdgePoints;
      return true;
    }
    if (target.saturated > 0) ++run_->saturatedPoints;
    run_->mostSaturatedPixels = std::max(run_->mostSaturatedPixels, target.saturated);
    run_->points.push_back(std::move(point));
    return true;
  }

 private:
  StarSample Sample(const LumaPlane& plane, const StarTracker::Star& star) const {
    StarSample sample;
    sample.x = star.place.x;
    sample.y = star.place.y;
    sample.snapped = star.snapped;
    const std::optional<ApertureReading> reading =
        MeasureAperture(plane, {star.place.x, plane.PlaneY(star.place.y)}, run_->aperture);
    if (!reading) return sample;
    sample.measured = true;
    sample.signal = reading->signal;
    sample.background = reading->background.mean;
    sample.backgroundSigma = reading->background.sigma;
    sample.saturated = reading->saturated;
    return sample;
  }

  const PhotometrySettings& settings_;
  PhotometryRun* run_;
  StarTracker tracker_;
  bool started_ = false;
};

}  // namespace

ApertureGeometry ApertureFor(double fwhm, std::optional<double> radius) {
  ApertureGeometry g;
  g.radius = radius ? *radius : std::max(2.0, kRadiusPerFwhm * fwhm);
  g.annulusInner = g.radius + kGap;
  g.annulusOuter = g.annulusInner + std::max(kMinAnnulusWidth, g.radius);
  return g;
}

Status MeasureLightCurve(AviByteSource& file, const AviFrameReader& reader, const PhotometrySettings& settings,
                         const PhotometryHooks& hooks, PhotometryRun* run, std::string* problem) {
  *run = PhotometryRun();
  FrameLuma luma;
  if (Failed(luma.Prepare(reader.Format(), problem))) return kFail;
  for (PlanePoint p : [&] {
         std::vector<PlanePoint> all{settings.target};
         all.insert(all.end(), settings.tracks.begin(), settings.tracks.end());
         if (settings.comparison) all.push_back(*settings.comparison);
         return all;
       }()) {
    if (!Inside(p, luma.Width(), luma.Height())) {
      *problem = "position " + PlaceText(p) + " is outside the " + std::to_string(luma.Width()) + " x " +
                 std::to_string(luma.Height()) + " picture";
      return kFail;
    }
  }
  const std::uint32_t total = reader.FrameCount();
  run->frames = total;
  if (total == 0) {
    *problem = "the file holds no frames";
    return kFail;
  }
  RunBuilder builder(settings, run);
  const std::vector<int> parities = Parities(settings.fields);
  const std::vector<AviPaletteChange>& changes = reader.PaletteChanges();
  std::size_t nextChange = 0;
  std::vector<std::uint8_t> bytes;
  std::vector<std::uint8_t> change;
  for (std::uint32_t k = 0; k < total; ++k) {
    if (hooks.cancel != nullptr && hooks.cancel->load()) return kAbort;
    if (hooks.progress && k % kProgressEvery == 0) hooks.progress(k, total);
    for (; nextChange < changes.size() && changes[nextChange].fromFrame <= k; ++nextChange) {
      if (Succeeded(reader.ReadPaletteChange(file, nextChange, change))) luma.ApplyPaletteChange(change);
    }
    if (reader.Frames()[k].size == 0) {
      ++run->droppedFrames;
      continue;
    }
    if (Failed(reader.ReadFrame(file, k, bytes)) || Failed(luma.Load(bytes))) {
      ++run->unreadableFrames;
      continue;
    }
    for (std::size_t f = 0; f < parities.size(); ++f) {
      if (!builder.Measure(luma.Plane(parities[f]), k + 0.5 * static_cast<double>(f), k, problem)) return kFail;
    }
  }
  if (hooks.progress) hooks.progress(total, total);
  if (run->points.empty()) {
    if (run->droppedFrames == total) {
      *problem = "every frame of the file was dropped";
    } else if (run->offEdgePoints > 0) {
      char radius[32];
      std::snprintf(radius, sizeof radius, "%.1f", run->aperture.radius);
      *problem = std::string("the target's aperture (radius ") + radius +
                 " px) does not fit inside the picture around " + PlaceText(run->startPlaces.front());
    } else {
      *problem = "no frame of the file could be measured";
    }
    return kFail;
  }
  return kOk;
}

}  // namespace zuna
