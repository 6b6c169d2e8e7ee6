#include "lightcurve/photometry/light_curve_measure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "lightcurve/edges/edge_fit.h"
#include "support/star_field_avi.h"
#include "support/temp_folder.h"
#include "video/avi_writer/avi_writer.h"

namespace zuna {
namespace {

using test::StarField;

struct Measured {
  Status status = kFail;
  std::string problem;
  PhotometryRun run;
};

Measured Measure(const std::filesystem::path& path, const PhotometrySettings& settings) {
  AviFileSource file(path);
  AviFrameReader reader;
  Measured m;
  EXPECT_EQ(reader.Open(file), kOk);
  m.status = MeasureLightCurve(file, reader, settings, {}, &m.run, &m.problem);
  return m;
}

PhotometrySettings StandardSettings() {
  PhotometrySettings s;
  s.target = {50, 50};
  s.tracks = {{90, 40}};
  s.comparison = PlanePoint{60, 85};
  return s;
}

// D and R from the target's light curve.
EdgeFitResult Fit(const PhotometryRun& run) {
  std::vector<LightCurvePoint> curve;
  for (const PhotometryPoint& p : run.points) curve.push_back({p.position, p.stars[0].signal});
  EdgeFitOptions options;
  options.trials = 1000;
  return FitSquareWave(curve, options);
}

// The target's signal over its mean outside the event.
std::vector<double> Levels(const PhotometryRun& run, const StarField& f) {
  double sum = 0;
  int count = 0;
  for (const PhotometryPoint& p : run.points) {
    if (p.position + 1 < f.d - 1 || p.position > f.r + 1) sum += p.stars[0].signal, ++count;
  }
  std::vector<double> levels;
  for (const PhotometryPoint& p : run.points) levels.push_back(p.stars[0].signal / (sum / count));
  return levels;
}

TEST(LightCurveMeasure, FollowsADriftingFieldThroughTheEventAndMeasuresPartExposures) {
  const test::TempFolder folder;
  const StarField f = test::StandardField();
  test::WriteStarField(f, folder / "drift.avi");
  const Measured m = Measure(folder / "drift.avi", StandardSettings());
  ASSERT_EQ(m.status, kOk) << m.problem;
  ASSERT_EQ(m.run.points.size(), 100u);
  EXPECT_EQ(m.run.starNames, (std::vector<std::string>{"target", "comparison", "track1"}));
  EXPECT_EQ(m.run.saturatedPoints, 0u);

  const std::vector<double> levels = Levels(m.run, f);
  for (const PhotometryPoint& p : m.run.points) {
    const int k = static_cast<int>(p.position);
    // The target's aperture stays on its place while it is gone, carried by the tracking star.
    EXPECT_NEAR(p.stars[0].x, f.X(f.stars[0], k), 0.3) << k;
    EXPECT_NEAR(p.stars[0].y, f.Y(f.stars[0], k), 0.3) << k;
    EXPECT_NEAR(p.stars[1].x, f.X(f.stars[2], k), 0.3) << k;
    EXPECT_NEAR(levels[static_cast<std::size_t>(k)], f.Visible(k, k + 1), 0.05) << k;
    if (k > 41 && k < 70) {
      EXPECT_FALSE(p.stars[0].snapped) << k;
    }
  }
  const EdgeFitResult fit = Fit(m.run);
  ASSERT_TRUE(fit.event && fit.d && fit.r);
  EXPECT_NEAR(fit.d->position, f.d, 0.1);
  EXPECT_NEAR(fit.r->position, f.r, 0.1);
  EXPECT_GT(fit.dnr, 50);
}

TEST(LightCurveMeasure, MeasuresEachFieldApartWithItsOwnPosition) {
  const test::TempFolder folder;
  StarField f = test::StandardField();
  f.interlaced = true;
  f.d = 30.5;   // between the two fields of frame 30
  f.r = 60.85;  // within the second field of frame 60
  test::WriteStarField(f, folder / "fields.avi");
  PhotometrySettings s = StandardSettings();
  s.fields = FieldOrder::kTopFirst;
  const Measured m = Measure(folder / "fields.avi", s);
  ASSERT_EQ(m.status, kOk) << m.problem;
  ASSERT_EQ(m.run.points.size(), 200u);
  EXPECT_EQ(m.run.points[61].position, 30.5);
  const std::vector<double> levels = Levels(m.run, f);
  for (std::size_t i = 0; i < levels.size(); ++i) {
    const double from = m.run.points[i].position;
    EXPECT_NEAR(levels[i], f.Visible(from, from + 0.5) / 0.5, 0.08) << from;
  }
  // A tenth of a field.
  const EdgeFitResult fit = Fit(m.run);
  ASSERT_TRUE(fit.event && fit.d && fit.r);
  EXPECT_NEAR(fit.d->position, f.d, 0.05);
  EXPECT_NEAR(fit.r->position, f.r, 0.05);
}

TEST(LightCurveMeasure, LeavesDroppedFramesAsGaps) {
  const test::TempFolder folder;
  StarField f = test::StandardField();
  f.frames = 60;
  f.r = 50.6;
  f.dropped = {20, 21, 45};  // one of them during the event
  test::WriteStarField(f, folder / "dropped.avi");
  const Measured m = Measure(folder / "dropped.avi", StandardSettings());
  ASSERT_EQ(m.status, kOk) << m.problem;
  EXPECT_EQ(m.run.frames, 60u);
  EXPECT_EQ(m.run.droppedFrames, 3u);
  ASSERT_EQ(m.run.points.size(), 57u);
  for (const PhotometryPoint& p : m.run.points) EXPECT_FALSE(f.dropped.contains(static_cast<int>(p.position)));
  // No copied frame stands in for a dropped one, so the gaps leave the edges where they are.
  const EdgeFitResult fit = Fit(m.run);
  ASSERT_TRUE(fit.event && fit.d && fit.r);
  EXPECT_NEAR(fit.d->position, f.d, 0.1);
  EXPECT_NEAR(fit.r->position, f.r, 0.1);
  // Tracking goes on across the gap.
  EXPECT_NEAR(m.run.points.back().stars[0].x, f.X(f.stars[0], 59), 0.3);
}

// Stars picked on a later frame are followed backwards to the first frame as well as forwards: the
// run is the one of stars picked on frame 0, fields and gaps included.
TEST(LightCurveMeasure, FollowsStarsPickedOnAnyFrameBothWays) {
  const test::TempFolder folder;
  StarField f = test::StandardField();
  f.interlaced = true;
  f.dropped = {10, 81};
  test::WriteStarField(f, folder / "later.avi");
  PhotometrySettings first = StandardSettings();
  first.fields = FieldOrder::kBottomFirst;
  PhotometrySettings later = first;
  later.startFrame = 80;
  later.target = {f.X(f.stars[0], 80), f.Y(f.stars[0], 80)};
  later.tracks = {{f.X(f.stars[1], 80), f.Y(f.stars[1], 80)}};
  later.comparison = PlanePoint{f.X(f.stars[2], 80), f.Y(f.stars[2], 80)};
  const Measured a = Measure(folder / "later.avi", first);
  const Measured b = Measure(folder / "later.avi", later);
  ASSERT_EQ(a.status, kOk) << a.problem;
  ASSERT_EQ(b.status, kOk) << b.problem;
  EXPECT_EQ(b.run.droppedFrames, 2u);
  ASSERT_EQ(b.run.points.size(), a.run.points.size());
  for (std::size_t i = 0; i < a.run.points.size(); ++i) {
    const PhotometryPoint &p = a.run.points[i], &q = b.run.points[i];
    EXPECT_EQ(q.position, p.position) << i;
    EXPECT_NEAR(q.stars[0].x, p.stars[0].x, 0.3) << p.position;
    EXPECT_NEAR(q.stars[0].signal, p.stars[0].signal, 0.02 * std::abs(p.stars[0].signal) + 20) << p.position;
  }
  later.startFrame = 81;
  EXPECT_EQ(Measure(folder / "later.avi", later).status, kFail);
  later.startFrame = 100;
  EXPECT_EQ(Measure(folder / "later.avi", later).status, kFail);
}

TEST(LightCurveMeasure, ReadsEveryLayoutAsThePictureIsShown) {
  const test::TempFolder folder;
  std::vector<PhotometryRun> runs;
  for (test::FieldLayout layout : {test::FieldLayout::kYuy2, test::FieldLayout::kRgb32, test::FieldLayout::kGrey}) {
    StarField f = test::StandardField();
    f.frames = 3;
    f.layout = layout;
    const std::filesystem::path path = folder / ("layout" + std::to_string(runs.size()) + ".avi");
    test::WriteStarField(f, path);
    const Measured m = Measure(path, StandardSettings());
    ASSERT_EQ(m.status, kOk) << m.problem;
    runs.push_back(m.run);
  }
  for (const PhotometryRun& run : runs) {
    ASSERT_EQ(run.points.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_DOUBLE_EQ(run.points[i].stars[0].signal, runs[0].points[i].stars[0].signal);
      EXPECT_DOUBLE_EQ(run.points[i].stars[0].y, runs[0].points[i].stars[0].y);
    }
  }
}

TEST(LightCurveMeasure, CountsSaturatedPixelsInTheTargetsAperture) {
  const test::TempFolder folder;
  StarField f = test::StandardField();
  f.frames = 5;
  f.stars[0].flux = 8000;
  test::WriteStarField(f, folder / "bright.avi");
  const Measured m = Measure(folder / "bright.avi", StandardSettings());
  ASSERT_EQ(m.status, kOk) << m.problem;
  EXPECT_EQ(m.run.saturatedPoints, 5u);
  EXPECT_GE(m.run.mostSaturatedPixels, 2);
}

TEST(LightCurveMeasure, RefusesWhatItCannotMeasureWithTheReason) {
  const test::TempFolder folder;
  StarField f = test::StandardField();
  f.frames = 2;
  test::WriteStarField(f, folder / "field.avi");
  PhotometrySettings outside = StandardSettings();
  outside.tracks.push_back({170, 40});
  EXPECT_EQ(Measure(folder / "field.avi", outside).problem, "position 170.0,40.0 is outside the 160 x 120 picture");
  PhotometrySettings empty = StandardSettings();
  empty.comparison = PlanePoint{130, 100};
  EXPECT_EQ(Measure(folder / "field.avi", empty).problem, "no star near 130.0,100.0 (the comparison)");

  {
    AviWriter writer;
    ASSERT_EQ(writer.Open(folder / "lags.avi", AviVideoFormat::Compressed(FourCc("LAGS"), 24, 160, 120, 25, 1)), kOk);
    const std::vector<std::uint8_t> frame(100, 1);
    ASSERT_EQ(writer.WriteFrame(frame, 0, true), kOk);
    ASSERT_EQ(writer.Close(), kOk);
    AviWriter none;
    ASSERT_EQ(none.Open(folder / "none.avi", AviVideoFormat::Yuy2(160, 120, 25, 1)), kOk);
    ASSERT_EQ(none.Close(), kOk);
  }
  const Measured lags = Measure(folder / "lags.avi", StandardSettings());
  EXPECT_EQ(lags.status, kFail);
  EXPECT_EQ(lags.problem, "the video is compressed (LAGS); only uncompressed video can be measured");
  EXPECT_EQ(Measure(folder / "none.avi", StandardSettings()).problem, "the file holds no frames");
}

}  // namespace
}  // namespace zuna
