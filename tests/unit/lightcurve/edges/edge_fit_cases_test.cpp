// The D and R fit on the shapes light curves take: an edge outside the curve, dropped frames, fields,
// too few points, a cancelled run, repeatability.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

#include "synthetic_light_curve.h"

namespace zuna::testing {
namespace {

bool Inside(const EdgeInterval& ci, double x) {
  return ci.lo <= x && x <= ci.hi;
}

EdgeFitOptions Quick(std::uint64_t seed = 1) {
  EdgeFitOptions options;
  options.trials = 2000;
  options.seed = seed;
  return options;
}

TEST(EdgeFit, AnEventUnderWayAtEitherEndHasOnlyTheEdgeItShows) {
  NormalRandom random(21);
  SquareWaveSettings dOnly;
  dOnly.dnr = 10;
  dOnly.d = 201.37;
  const EdgeFitResult down = FitSquareWave(MakeSquareWave(dOnly, random), Quick());
  ASSERT_TRUE(down.event);
  ASSERT_TRUE(down.d.has_value());
  EXPECT_FALSE(down.r.has_value());
  EXPECT_FALSE(down.duration.has_value());
  EXPECT_NEAR(down.d->position, dOnly.d, 0.15);
  EXPECT_TRUE(Inside(down.d->ci95, dOnly.d));
  EXPECT_NEAR(down.dnr, 10, 1.5);

  SquareWaveSettings rOnly;
  rOnly.dnr = 10;
  rOnly.r = 27.81;
  const EdgeFitResult up = FitSquareWave(MakeSquareWave(rOnly, random), Quick());
  ASSERT_TRUE(up.event);
  EXPECT_FALSE(up.d.has_value());
  ASSERT_TRUE(up.r.has_value());
  EXPECT_NEAR(up.r->position, rOnly.r, 0.15);
  EXPECT_TRUE(Inside(up.r->ci95, rOnly.r));
  EXPECT_LT(up.eventLevel, up.baseline);
}

TEST(EdgeFit, AnEventOfAboutOneFrameHasIntervalsThatOwnItsUnmeasuredDepth) {
  // No exposure lies wholly in the event: depth and duration trade against each other.
  NormalRandom random(3);
  for (const double d : {120.4, 120.7, 121.0}) {
    SquareWaveSettings wave;
    wave.dnr = 15;
    wave.d = d;
    wave.r = d + 1;
    const EdgeFitResult fit = FitSquareWave(MakeSquareWave(wave, random), Quick());
    ASSERT_TRUE(fit.event) << d;
    ASSERT_TRUE(fit.d && fit.r && fit.duration) << d;
    EXPECT_TRUE(Inside(fit.d->ci95, wave.d)) << d;
    EXPECT_TRUE(Inside(fit.r->ci95, wave.r)) << d;
    EXPECT_TRUE(Inside(fit.duration->ci95, 1.0)) << d;
    EXPECT_GE(fit.duration->ci997.lo, 0) << d;
  }
}

TEST(EdgeFit, DroppedFramesAreGapsThatWidenTheIntervalOfAnEdgeInThem) {
  NormalRandom random(8);
  SquareWaveSettings wave;
  wave.dnr = 30;
  wave.d = 100.6;  // while frames 100 and 101 are missing
  wave.r = 136.25;
  wave.dropped = {40, 41, 42, 100, 101, 120};
  const auto points = MakeSquareWave(wave, random);
  const EdgeFitResult fit = FitSquareWave(points, Quick());
  ASSERT_TRUE(fit.event);
  ASSERT_TRUE(fit.d && fit.r);
  EXPECT_EQ(fit.pointsUsed, 244u);
  // Nothing tells where in the two missing frames the star went: the interval spans them.
  EXPECT_TRUE(Inside(fit.d->ci95, wave.d));
  EXPECT_LE(fit.d->ci95.lo, 100.2);
  EXPECT_GE(fit.d->ci95.hi, 101.8);
  EXPECT_GE(fit.d->position, 100);
  EXPECT_LE(fit.d->position, 102);
  // An edge away from the gaps stays sharp.
  EXPECT_NEAR(fit.r->position, wave.r, 0.1);
  EXPECT_LT(fit.r->ci95.hi - fit.r->ci95.lo, 0.4);
  EXPECT_NEAR(fit.duration->position, fit.r->position - fit.d->position, 1e-9);
  EXPECT_TRUE(Inside(fit.duration->ci95, wave.r - wave.d));
}

TEST(EdgeFit, FieldsGiveEdgesInFramesToAFractionOfAField) {
  NormalRandom random(13);
  SquareWaveSettings fields;
  fields.step = 0.5;
  fields.points = 400;
  fields.dnr = 20;
  fields.d = 80.33;
  fields.r = 95.1;
  const EdgeFitResult fit = FitSquareWave(MakeSquareWave(fields, random), Quick());
  ASSERT_TRUE(fit.event);
  ASSERT_TRUE(fit.d && fit.r);
  EXPECT_NEAR(fit.d->position, fields.d, 0.05);
  EXPECT_NEAR(fit.r->position, fields.r, 0.05);
  EXPECT_TRUE(Inside(fit.d->ci95, fields.d));
  EXPECT_TRUE(Inside(fit.r->ci95, fields.r));
  EXPECT_NEAR(fit.duration->position, fields.r - fields.d, 0.07);
}

TEST(EdgeFit, RepeatsForASeedAndStopsWhenCancelled) {
  NormalRandom random(3);
  SquareWaveSettings wave;
  PlaceRandomEvent(wave, random);
  const auto points = MakeSquareWave(wave, random);
  const EdgeFitResult first = FitSquareWave(points, Quick(5));
  const EdgeFitResult again = FitSquareWave(points, Quick(5));
  const EdgeFitResult other = FitSquareWave(points, Quick(6));
  ASSERT_TRUE(first.event && first.d);
  EXPECT_EQ(first.d->ci95.lo, again.d->ci95.lo);
  EXPECT_EQ(first.r->ci997.hi, again.r->ci997.hi);
  EXPECT_EQ(first.falsePositive, again.falsePositive);
  EXPECT_EQ(first.d->position, other.d->position);  // the estimate itself is not random
  EXPECT_NE(first.d->ci95.lo, other.d->ci95.lo);
  EXPECT_EQ(first.trials, 2000);

  std::atomic<bool> cancel{true};
  EdgeFitOptions options = Quick();
  options.cancel = &cancel;
  const EdgeFitResult cancelled = FitSquareWave(points, options);
  EXPECT_FALSE(cancelled.fitted);
  EXPECT_FALSE(cancelled.event);
  EXPECT_EQ(cancelled.problem, "cancelled");
}

TEST(EdgeFit, TooFewPointsBadValuesOrScatteredPositionsAreNotFitted) {
  std::vector<LightCurvePoint> points;
  for (int i = 0; i < 7; ++i) points.push_back({static_cast<double>(i), i == 3 ? 10.0 : 100.0});
  points.push_back({7, NAN});
  points.push_back({8, 1e300});
  points.push_back({INFINITY, 100});
  const EdgeFitResult fit = FitSquareWave(points, Quick());
  EXPECT_FALSE(fit.fitted);
  EXPECT_FALSE(fit.event);
  EXPECT_EQ(fit.pointsUsed, 7u);
  EXPECT_NE(fit.problem.find("too few points"), std::string::npos);
  EXPECT_FALSE(FitSquareWave({}, Quick()).fitted);

  // Two points a thousandth of a frame apart make the others millions of exposures apart.
  points.push_back({0.001, 100});
  points.push_back({1e6, 100});
  const EdgeFitResult sparse = FitSquareWave(points, Quick());
  EXPECT_FALSE(sparse.fitted);
  EXPECT_NE(sparse.problem.find("too far apart"), std::string::npos);
}

TEST(EdgeFit, AFlatCurveHasNoEventButItsFigures) {
  NormalRandom random(17);
  SquareWaveSettings flat;
  flat.d = flat.r = kAbsent;
  const EdgeFitResult fit = FitSquareWave(MakeSquareWave(flat, random), Quick());
  ASSERT_TRUE(fit.fitted);
  EXPECT_FALSE(fit.event);
  EXPECT_FALSE(fit.d || fit.r || fit.duration);
  EXPECT_GT(fit.falseAlarm, 0.01);
  EXPECT_GT(fit.falsePositive, 0.0);  // noise alone makes its own best dip again now and then
  EXPECT_NEAR(fit.baseline, flat.baseline, 2);
  EXPECT_NEAR(fit.sigmaBaseline, flat.sigma, 1.5);
  EXPECT_LT(fit.dnr, 3);
  EXPECT_LT(fit.eventLikelihood, 1);
}

}  // namespace
}  // namespace zuna::testing
