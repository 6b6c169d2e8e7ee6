#include "lightcurve/photometry/light_curve_measure.h"

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <optional>

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

  // Measures one plane into `into` (the start plane of a pass is measured for its places only when
  // `into` is null); false (with the problem) when the stars cannot be found at the start.
  bool Measure(const LumaPlane& plane, double position, std::uint32_t frame, std::string* problem,
               std::vector<PhotometryPoint>* into) {
    if (!started_) {
      if (!tracker_.Start(plane, StarsOf(settings_), problem)) return false;
      started_ = true;
      if (run_->starNames.empty()) Describe();
    } else {
      tracker_.Follow(plane);
    }
    if (into == nullptr) return true;
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
    into->push_back(std::move(point));
    return true;
  }

 private:
  void Describe() {
    run_->fwhm = tracker_.Fwhm();
    run_->aperture = ApertureFor(tracker_.Fwhm(), settings_.apertureRadius);
    for (const StarTracker::Star& star : tracker_.Stars()) {
      run_->starNames.push_back(star.name);
      run_->startPlaces.push_back(star.place);
    }
  }

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

// A frame's luminance with the palette in effect at that frame, whichever way the frames are read.
class FrameLoader {
 public:
  FrameLoader(AviByteSource& file, const AviFrameReader& reader, FrameLuma& luma)
      : file_(file), reader_(reader), luma_(luma) {}

  Status Load(std::uint32_t k) {
    if (Failed(ApplyPalettesUpTo(k)) || Failed(reader_.ReadFrame(file_, k, bytes_))) return kFail;
    return luma_.Load(bytes_);
  }

 private:
  Status ApplyPalettesUpTo(std::uint32_t k) {
    const std::vector<AviPaletteChange>& changes = reader_.PaletteChanges();
    std::size_t due = 0;
    while (due < changes.size() && changes[due].fromFrame <= k) ++due;
    if (due < applied_) {  // read backwards past a change: start again from the header's palette
      std::string problem;
      if (Failed(luma_.Prepare(reader_.Format(), &problem))) return kFail;
      applied_ = 0;
    }
    for (; applied_ < due; ++applied_) {
      if (Succeeded(reader_.ReadPaletteChange(file_, applied_, change_))) luma_.ApplyPaletteChange(change_);
    }
    return kOk;
  }

  AviByteSource& file_;
  const AviFrameReader& reader_;
  FrameLuma& luma_;
  std::size_t applied_ = 0;
  std::vector<std::uint8_t> bytes_;
  std::vector<std::uint8_t> change_;
};

// One pass through the frames, forwards or backwards from the start frame.
class Pass {
 public:
  Pass(const PhotometrySettings& settings, const AviFrameReader& reader, FrameLoader& loader, const FrameLuma& luma,
       const PhotometryHooks& hooks, PhotometryRun* run)
      : settings_(settings),
        reader_(reader),
        loader_(loader),
        luma_(luma),
        hooks_(hooks),
        run_(run),
        builder_(settings, run) {}

  // Frames from `first` to `last` inclusive, stepping by `step` (+1 or -1). The first frame's first
  // plane in time order starts the tracker; the first frame is kept as points only when `keepFirst`.
  Status Run(std::int64_t first, std::int64_t last, int step, bool keepFirst, std::vector<PhotometryPoint>* into,
             std::uint32_t* done, std::string* problem) {
    std::vector<int> parities = Parities(settings_.fields);
    if (step < 0) std::reverse(parities.begin(), parities.end());
    for (std::int64_t k = first; step > 0 ? k <= last : k >= last; k += step) {
      if (hooks_.cancel != nullptr && hooks_.cancel->load()) return kAbort;
      const bool startOnly = k == first && !keepFirst;  // measured by the other pass
      if (!startOnly && (*done)++ % kProgressEvery == 0 && hooks_.progress) hooks_.progress(*done, run_->frames);
      const auto frame = static_cast<std::uint32_t>(k);
      if (!Readable(frame, !startOnly)) continue;
      // Backwards, the start frame's earlier field comes last: the tracker starts on it alone.
      const std::size_t from = k == first && step < 0 ? parities.size() - 1 : 0;
      for (std::size_t f = from; f < parities.size(); ++f) {
        const std::size_t order = step > 0 ? f : parities.size() - 1 - f;  // in time order
        if (!builder_.Measure(luma_.Plane(parities[f]), k + 0.5 * static_cast<double>(order), frame, problem,
                              startOnly ? nullptr : into)) {
          return kFail;
        }
      }
    }
    return kOk;
  }

 private:
  // Dropped and unreadable frames are gaps, counted by the pass that keeps them.
  bool Readable(std::uint32_t frame, bool count) {
    if (reader_.Frames()[frame].size == 0) {
      if (count) ++run_->droppedFrames;
      return false;
    }
    if (Failed(loader_.Load(frame))) {
      if (count) ++run_->unreadableFrames;
      return false;
    }
    return true;
  }

  const PhotometrySettings& settings_;
  const AviFrameReader& reader_;
  FrameLoader& loader_;
  const FrameLuma& luma_;
  const PhotometryHooks& hooks_;
  PhotometryRun* run_;
  RunBuilder builder_;
};

// The problem of a start frame the stars cannot be chosen on.
std::optional<std::string> StartFrameProblem(const AviFrameReader& reader, std::uint32_t start) {
  const std::uint32_t total = reader.FrameCount();
  if (start >= total) {
    return "frame " + std::to_string(start) + " is past the file's last frame " + std::to_string(total - 1);
  }
  if (reader.Frames()[start].size == 0) {
    return "frame " + std::to_string(start) + " was dropped: choose the stars on a recorded frame";
  }
  return std::nullopt;
}

std::string NoPointProblem(const PhotometryRun& run) {
  if (run.droppedFrames == run.frames) return "every frame of the file was dropped";
  if (run.offEdgePoints == 0) return "no frame of the file could be measured";
  char radius[32];
  std::snprintf(radius, sizeof radius, "%.1f", run.aperture.radius);
  return std::string("the target's aperture (radius ") + radius + " px) does not fit inside the picture around " +
         PlaceText(run.startPlaces.front());
}

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
  std::vector<PlanePoint> all{settings.target};
  all.insert(all.end(), settings.tracks.begin(), settings.tracks.end());
  if (settings.comparison) all.push_back(*settings.comparison);
  for (PlanePoint p : all) {
    if (!Inside(p, luma.Width(), luma.Height())) {
      *problem = "position " + PlaceText(p) + " is outside the " + std::to_string(luma.Width()) + " x " +
                 std::to_string(luma.Height()) + " picture";
      return kFail;
    }
  }
  const std::uint32_t total = reader.FrameCount();
  run->frames = total;
  if (total == 0) return *problem = "the file holds no frames", kFail;
  const std::uint32_t start = settings.startFrame;
  if (std::optional<std::string> bad = StartFrameProblem(reader, start)) return *problem = *bad, kFail;
  FrameLoader loader(file, reader, luma);
  std::uint32_t done = 0;
  std::vector<PhotometryPoint> before;
  if (start > 0) {
    Pass back(settings, reader, loader, luma, hooks, run);
    if (const Status s = back.Run(start, 0, -1, false, &before, &done, problem); s != kOk) return s;
    std::reverse(before.begin(), before.end());
  }
  Pass forward(settings, reader, loader, luma, hooks, run);
  if (const Status s = forward.Run(start, total - 1, +1, true, &run->points, &done, problem); s != kOk) return s;
  run->points.insert(run->points.begin(), std::make_move_iterator(before.begin()),
                     std::make_move_iterator(before.end()));
  if (hooks.progress) hooks.progress(total, total);
  if (run->points.empty()) return *problem = NoPointProblem(*run), kFail;
  return kOk;
}

}  // namespace zuna
