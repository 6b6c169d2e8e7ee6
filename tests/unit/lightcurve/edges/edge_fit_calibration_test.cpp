// Statistical calibration of the D and R fit on seeded synthetic curves: accuracy of the edges, honesty
// of the 95 % intervals, and the "no event" call on noise alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "synthetic_light_curve.h"

namespace zuna::testing {
namespace {

constexpr int kCurves = 200;

struct Calibration {
  std::vector<double> errors;  // |estimate - truth| of every edge found
  std::vector<double> widths;  // of the 95 % intervals
  int covered = 0;             // curves whose true D and R both lie in their 95 % intervals
  int coveredD = 0;            // curves whose true D lies in its 95 % interval
  int coveredR = 0;
  int coveredDuration = 0;
  int events = 0;  // curves called "event"
  int curves = 0;

  double ErrorQuantile(double q) {
    if (errors.empty()) return 1e9;
    std::sort(errors.begin(), errors.end());
    return errors[static_cast<std::size_t>(q * static_cast<double>(errors.size() - 1))];
  }
  static double Share(int count, int of) { return of ? static_cast<double>(count) / of : 0; }
  double Coverage() const { return Share(covered, curves); }
  double CoverageD() const { return Share(coveredD, curves); }
  double CoverageR() const { return Share(coveredR, curves); }
  double CoverageDuration() const { return Share(coveredDuration, curves); }
};

bool Inside(const EdgeInterval& ci, double x) {
  return ci.lo <= x && x <= ci.hi;
}

Calibration Calibrate(SquareWaveSettings settings, int trials, std::uint64_t seed) {
  NormalRandom random(seed);
  Calibration c;
  EdgeFitOptions options;
  options.trials = trials;
  for (int i = 0; i < kCurves; ++i) {
    PlaceRandomEvent(settings, random);
    const auto points = MakeSquareWave(settings, random);
    options.seed = seed + static_cast<std::uint64_t>(i);
    const EdgeFitResult fit = FitSquareWave(points, options);
    ++c.curves;
    if (!fit.event || !fit.d || !fit.r) continue;
    ++c.events;
    c.errors.push_back(std::abs(fit.d->position - settings.d));
    c.errors.push_back(std::abs(fit.r->position - settings.r));
    if (Inside(fit.d->ci95, settings.d) && Inside(fit.r->ci95, settings.r)) ++c.covered;
    c.widths.push_back(fit.d->ci95.hi - fit.d->ci95.lo);
    c.widths.push_back(fit.r->ci95.hi - fit.r->ci95.lo);
    c.coveredD += Inside(fit.d->ci95, settings.d);
    c.coveredR += Inside(fit.r->ci95, settings.r);
    c.coveredDuration += fit.duration && Inside(fit.duration->ci95, settings.r - settings.d);
  }
  return c;
}

void Report(const char* name, Calibration& c) {
  std::sort(c.widths.begin(), c.widths.end());
  const double width = c.widths.empty() ? 0 : c.widths[c.widths.size() / 2];
  std::printf(
      "[calibration] %s: events %d/%d, median |error| %.4f frame, 90th percentile %.4f, 95%% intervals (median "
      "width %.3f) hold D in %.1f%%, R in %.1f%%, both in %.1f%% of curves, the duration in %.1f%%\n",
      name, c.events, c.curves, c.ErrorQuantile(0.5), c.ErrorQuantile(0.9), width, 100 * c.CoverageD(),
      100 * c.CoverageR(), 100 * c.Coverage(), 100 * c.CoverageDuration());
}

struct Setting {
  const char* name;
  double dnr;
  int trials;
  double medianLimit;
};

TEST(EdgeFitCalibration, EdgesAreAccurateAndTheirIntervalsHonest) {
  // The full method at DNR 8; fewer trials elsewhere keep the suite quick.
  const Setting settings[] = {{"DNR 50", 50, 2000, 0.025}, {"DNR 8", 8, 10000, 0.10}, {"DNR 3", 3, 2000, 0.40}};
  for (const auto& s : settings) {
    SquareWaveSettings wave;
    wave.dnr = s.dnr;
    Calibration c = Calibrate(wave, s.trials, 1000 + static_cast<std::uint64_t>(s.dnr));
    Report(s.name, c);
    EXPECT_EQ(c.events, kCurves) << s.name;
    EXPECT_LE(c.ErrorQuantile(0.5), s.medianLimit) << s.name;
    EXPECT_GE(c.CoverageD(), 0.93) << s.name;
    EXPECT_GE(c.CoverageR(), 0.93) << s.name;
    EXPECT_GE(c.CoverageDuration(), 0.93) << s.name;
    // Honest, not merely wide: an interval that held the truth every time would be too wide.
    EXPECT_LE(std::max(c.CoverageD(), c.CoverageR()), 0.995) << s.name;
  }
}

TEST(EdgeFitCalibration, IntervalsStayHonestWithCorrelatedNoiseAndAQuieterEvent) {
  SquareWaveSettings wave;
  wave.dnr = 8;
  wave.correlation = 0.5;
  wave.sigmaEventRatio = 0.6;
  Calibration c = Calibrate(wave, 2000, 77);
  Report("DNR 8, correlated noise", c);
  EXPECT_EQ(c.events, kCurves);
  EXPECT_GE(c.CoverageD(), 0.93);
  EXPECT_GE(c.CoverageR(), 0.93);
}

TEST(EdgeFitCalibration, NoiseAloneIsCalledNoEvent) {
  NormalRandom random(4242);
  EdgeFitOptions options;
  options.trials = 2000;
  int noEvent = 0;
  for (int i = 0; i < kCurves; ++i) {
    SquareWaveSettings flat;
    flat.d = flat.r = kAbsent;
    const auto points = MakeSquareWave(flat, random);
    options.seed = static_cast<std::uint64_t>(i);
    const EdgeFitResult fit = FitSquareWave(points, options);
    ASSERT_TRUE(fit.fitted);
    if (!fit.event) {
      ++noEvent;
      EXPECT_FALSE(fit.d.has_value());
      EXPECT_FALSE(fit.r.has_value());
    }
  }
  std::printf("[calibration] noise alone: no event in %d/%d\n", noEvent, kCurves);
  EXPECT_GE(noEvent, kCurves * 95 / 100);
}

}  // namespace
}  // namespace zuna::testing
