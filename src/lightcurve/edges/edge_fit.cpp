#include "lightcurve/edges/edge_fit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "lightcurve/edges/correlated_noise.h"
#include "lightcurve/edges/edge_locator.h"
#include "lightcurve/edges/edge_monte_carlo.h"
#include "lightcurve/edges/light_curve_grid.h"
#include "lightcurve/edges/step_search.h"

namespace zuna {
namespace {

constexpr std::size_t kMinPoints = 8;
// Points on each side of an edge that locate it and that its simulations hold.
constexpr std::size_t kWindowHalf = 16;
constexpr double kNone = std::numeric_limits<double>::infinity();

// The fitted square wave in slot units: the event is [d, r); -inf / +inf for an absent edge.
struct Wave {
  double d = -kNone;
  double r = kNone;
  double baseline = 0;
  double event = 0;
  double sigmaBaseline = 1;
  double sigmaEvent = 1;
  std::size_t baselinePoints = 0;
  std::size_t eventPoints = 0;
};

double EventFraction(std::int64_t slot, const Wave& wave) {
  const auto s = static_cast<double>(slot);
  return std::clamp(std::min(s + 1, wave.r) - std::max(s, wave.d), 0.0, 1.0);
}

struct Moments {
  double sum = 0;
  double squares = 0;
  std::size_t count = 0;
  void Add(double v) {
    sum += v;
    squares += v * v;
    ++count;
  }
  double Mean() const { return count ? sum / static_cast<double>(count) : 0; }
  double Sigma() const {
    if (count < 2) return 0;
    const double mean = Mean();
    return std::sqrt(std::max(squares - mean * sum, 0.0) / static_cast<double>(count - 1));
  }
};

// Levels and sigmas from the points wholly at one level; the points an edge crosses take no part.
void FitLevels(const LightCurveGrid& grid, Wave& wave) {
  Moments base;
  Moments event;
  for (std::size_t i = 0; i < grid.values.size(); ++i) {
    const double f = EventFraction(grid.slots[i], wave);
    if (f == 0) base.Add(grid.values[i]);
    if (f == 1) event.Add(grid.values[i]);
  }
  if (base.count > 0) wave.baseline = base.Mean();
  if (event.count > 0) wave.event = event.Mean();
  wave.baselinePoints = base.count;
  wave.eventPoints = event.count;
  const double floor = 1e-9 * std::max(std::abs(wave.baseline), 1.0);
  wave.sigmaBaseline = std::max(base.count >= 2 ? base.Sigma() : event.Sigma(), floor);
  wave.sigmaEvent = std::max(event.count >= 3 ? event.Sigma() : wave.sigmaBaseline, floor);
}

double ResidualSquares(const LightCurveGrid& grid, const Wave& wave) {
  double ss = 0;
  for (std::size_t i = 0; i < grid.values.size(); ++i) {
    const double model = wave.baseline - EventFraction(grid.slots[i], wave) * (wave.baseline - wave.event);
    ss += (grid.values[i] - model) * (grid.values[i] - model);
  }
  return ss;
}

struct Window {
  std::size_t first = 0;
  std::size_t last = 0;  // one past
};

EdgeLevels LevelsAtD(const Wave& w) {
  return {w.baseline, w.event, w.sigmaBaseline, w.sigmaEvent};
}
EdgeLevels LevelsAtR(const Wave& w) {
  return {w.event, w.baseline, w.sigmaEvent, w.sigmaBaseline};
}

template <typename T>
std::span<const T> Slice(const std::vector<T>& v, Window w) {
  return std::span<const T>(v).subspan(w.first, w.last - w.first);
}

// Windows around the edges of the step found: each stops at the middle of the event, so that it
// never holds the other edge.
void EdgeWindows(const StepFit& step, std::size_t n, Window& atD, Window& atR) {
  const std::size_t middle = step.begin + (step.end - step.begin) / 2;
  if (step.begin > 0) {
    const std::size_t limit = step.end < n ? middle : n;
    atD.first = step.begin > kWindowHalf ? step.begin - kWindowHalf : 0;
    atD.last = std::max(step.begin + 1, std::min(step.begin + kWindowHalf, limit));
  }
  if (step.end < n) {
    const std::size_t limit = step.begin > 0 ? middle : 0;
    atR.first = std::min(step.end - 1, std::max(step.end > kWindowHalf ? step.end - kWindowHalf : 0, limit));
    atR.last = std::min(n, step.end + kWindowHalf);
  }
}

double RelativeLikelihood(double aiccEvent, double aiccFlat) {
  const double x = 0.5 * (aiccEvent - aiccFlat);
  if (x > 700) return 0;
  return 1 / (1 + std::exp(x));
}

// The Monte-Carlo interval, widened where needed to the likelihood's own (with the fitted levels):
// at a low DNR the error depends on the noise near the edge more than trials around the fitted edge
// show, and the likelihood sees that noise; with correlated noise the trials are the wider.
EdgeEstimate Estimate(const LightCurveGrid& grid, double slot, std::vector<double>& errors,
                      const EdgeLocator* likelihood) {
  std::erase_if(errors, [](double e) { return std::isnan(e); });
  std::sort(errors.begin(), errors.end());
  auto interval = [&](double level) {
    const double tail = 0.5 * (1 - level);
    double lo = slot - Quantile(errors, 1 - tail);
    double hi = slot - Quantile(errors, tail);
    if (likelihood) {
      lo = std::min(lo, likelihood->Quantile(tail));
      hi = std::max(hi, likelihood->Quantile(1 - tail));
    }
    return EdgeInterval{grid.Position(lo), grid.Position(hi)};
  };
  return {grid.Position(slot), interval(0.6827), interval(0.9545), interval(0.9973)};
}

EdgeFitResult Cancelled(EdgeFitResult result) {
  result.fitted = false;
  result.event = false;
  result.d.reset();
  result.r.reset();
  result.duration.reset();
  result.problem = "cancelled";
  return result;
}

// The step's edges lie at exposure boundaries; locating each with the levels of the previous round,
// and the levels again without the points the edges cross, converges in two rounds.
Wave LocateEdges(const LightCurveGrid& grid, const StepFit& step, Window atD, Window atR) {
  const std::size_t n = grid.values.size();
  Wave wave;
  if (step.begin > 0) wave.d = static_cast<double>(grid.slots[step.begin]);
  if (step.end < n) wave.r = static_cast<double>(grid.slots[step.end - 1] + 1);
  FitLevels(grid, wave);
  EdgeLocator locator;
  for (int round = 0; round < 2; ++round) {
    if (step.begin > 0) wave.d = locator.Locate(Slice(grid.values, atD), Slice(grid.slots, atD), LevelsAtD(wave));
    if (step.end < n) wave.r = locator.Locate(Slice(grid.values, atR), Slice(grid.slots, atR), LevelsAtR(wave));
    if (wave.r <= wave.d) wave.r = wave.d;
    FitLevels(grid, wave);
  }
  return wave;
}

// The noise as the baseline shows it.
NoiseModel BaselineNoise(const LightCurveGrid& grid, const Wave& wave) {
  std::vector<double> residuals;
  std::vector<std::int64_t> slots;
  for (std::size_t i = 0; i < grid.values.size(); ++i) {
    if (EventFraction(grid.slots[i], wave) != 0) continue;
    residuals.push_back(grid.values[i] - wave.baseline);
    slots.push_back(grid.slots[i]);
  }
  return EstimateNoiseModel(residuals, slots);
}

// The duration's intervals from the trials, no narrower than those of D and R together (their
// windows are apart, so their errors are independent), and never below zero.
EdgeEstimate DurationEstimate(const LightCurveGrid& grid, const Wave& wave, std::vector<double> errors,
                              const EdgeEstimate& d, const EdgeEstimate& r) {
  const EdgeEstimate trials = Estimate(grid, wave.r - wave.d, errors, nullptr);
  const double length = (wave.r - wave.d) * grid.step;
  auto interval = [&](EdgeInterval fromTrials, EdgeInterval atD, EdgeInterval atR) {
    const double below = std::hypot(atD.hi - d.position, r.position - atR.lo);
    const double above = std::hypot(d.position - atD.lo, atR.hi - r.position);
    return EdgeInterval{std::max(0.0, std::min(fromTrials.lo - grid.origin, length - below)),
                        std::max(fromTrials.hi - grid.origin, length + above)};
  };
  return {length, interval(trials.ci68, d.ci68, r.ci68), interval(trials.ci95, d.ci95, r.ci95),
          interval(trials.ci997, d.ci997, r.ci997)};
}

struct FittedWave {
  const LightCurveGrid& grid;
  const StepFit& step;
  const Wave& wave;
  Window atD;
  Window atR;
  const NoiseModel& noise;
};

// The Monte-Carlo intervals of the edges and the duration; false when cancelled.
bool AddIntervals(const FittedWave& fit, const EdgeFitOptions& options, int trials, EdgeFitResult& result) {
  const Wave& wave = fit.wave;
  const auto levelError = [&](double sigma, std::size_t count) {
    return count ? sigma * std::sqrt(MeanVarianceFactor(fit.noise, count) / static_cast<double>(count)) : sigma;
  };
  const double errorBaseline = levelError(wave.sigmaBaseline, wave.baselinePoints);
  // An event shorter than about two exposures puts no point, or one, wholly at its level: the depth
  // is then hardly measured and trades against the duration, and the trials must see that.
  const double errorEvent = wave.eventPoints >= 2 ? levelError(wave.sigmaEvent, wave.eventPoints)
                                                  : std::max(wave.sigmaEvent, 0.5 * (wave.baseline - wave.event));
  const double sigmaError = 1 / std::sqrt(2.0 * static_cast<double>(std::max<std::size_t>(wave.baselinePoints, 2) - 1));
  const bool hasD = fit.step.begin > 0;
  const bool hasR = fit.step.end < fit.grid.values.size();
  std::vector<double> errorsD(1, 0.0);
  std::vector<double> errorsR(1, 0.0);
  if (hasD && trials > 0) {
    errorsD = SimulateEdgeErrors({Slice(fit.grid.values, fit.atD), Slice(fit.grid.slots, fit.atD), LevelsAtD(wave),
                                  errorBaseline, errorEvent, sigmaError},
                                 fit.noise, trials, MixSeed(options.seed, 1), options.cancel);
    if (errorsD.size() != static_cast<std::size_t>(trials)) return false;
  }
  if (hasR && trials > 0) {
    errorsR = SimulateEdgeErrors({Slice(fit.grid.values, fit.atR), Slice(fit.grid.slots, fit.atR), LevelsAtR(wave),
                                  errorEvent, errorBaseline, sigmaError},
                                 fit.noise, trials, MixSeed(options.seed, 2), options.cancel);
    if (errorsR.size() != static_cast<std::size_t>(trials)) return false;
  }
  // D and R were simulated apart, so trial i of each makes one simulated duration.
  std::vector<double> errorsDuration(std::min(errorsD.size(), errorsR.size()));
  for (std::size_t i = 0; i < errorsDuration.size(); ++i) errorsDuration[i] = errorsR[i] - errorsD[i];
  EdgeLocator likelihood;
  if (hasD) {
    likelihood.Weigh(Slice(fit.grid.values, fit.atD), Slice(fit.grid.slots, fit.atD), LevelsAtD(wave));
    result.d = Estimate(fit.grid, wave.d, errorsD, &likelihood);
  }
  if (hasR) {
    likelihood.Weigh(Slice(fit.grid.values, fit.atR), Slice(fit.grid.slots, fit.atR), LevelsAtR(wave));
    result.r = Estimate(fit.grid, wave.r, errorsR, &likelihood);
  }
  if (hasD && hasR) result.duration = DurationEstimate(fit.grid, wave, std::move(errorsDuration), *result.d, *result.r);
  return true;
}

}  // namespace

EdgeFitResult FitSquareWave(std::span<const LightCurvePoint> points, const EdgeFitOptions& options) {
  EdgeFitResult result;
  const LightCurveGrid grid = MakeLightCurveGrid(points);
  const std::size_t n = grid.values.size();
  result.pointsUsed = n;
  if (grid.tooSparse) {
    result.problem = "the points lie too far apart for their spacing to be one light curve";
    return result;
  }
  if (n < kMinPoints) {
    result.problem =
        "too few points to fit: " + std::to_string(n) + " measured, at least " + std::to_string(kMinPoints) + " needed";
    return result;
  }

  Moments all;
  for (double v : grid.values) all.Add(v);
  result.aiccFlat = Aicc(n, all.squares - all.Mean() * all.sum, kFlatParameters);
  result.aiccEvent = result.aiccFlat;
  result.baseline = result.eventLevel = all.Mean();
  result.sigmaBaseline = result.sigmaEvent = all.Sigma();
  result.fitted = true;

  const StepFit step = FindBestStep(grid.values, options.minEventPoints, options.cancel);
  if (step.cancelled) return Cancelled(result);
  if (!step.found) return result;
  Window atD;
  Window atR;
  EdgeWindows(step, n, atD, atR);
  const Wave wave = LocateEdges(grid, step, atD, atR);
  result.baseline = wave.baseline;
  result.eventLevel = wave.event;
  result.sigmaBaseline = wave.sigmaBaseline;
  result.sigmaEvent = wave.sigmaEvent;
  result.dnr = (wave.baseline - wave.event) / wave.sigmaBaseline;
  result.aiccEvent = Aicc(n, ResidualSquares(grid, wave), SquareWaveParameters(step.edges));
  result.eventLikelihood = RelativeLikelihood(result.aiccEvent, result.aiccFlat);

  const NoiseModel noise = BaselineNoise(grid, wave);
  const int trials = std::max(options.trials, 0);
  result.trials = trials;
  const NoiseDrop drop{grid.slots, step.end - step.begin, (step.baseline - step.eventLevel) / wave.sigmaBaseline};
  result.falsePositive = FalsePositiveRate(drop, noise, trials, MixSeed(options.seed, 3), options.cancel);
  if (result.falsePositive < 0) return Cancelled(result);
  const auto durations = ScanDurations(n, static_cast<std::size_t>(std::max(options.minEventPoints, 1)));
  const double significance = MostSignificantDrop(grid.values, durations, wave.sigmaBaseline);
  result.falseAlarm = FalseAlarmRate(grid.slots, durations, significance, noise, std::min(trials, kEventDecisionTrials),
                                     MixSeed(options.seed, 4), options.cancel);
  if (result.falseAlarm < 0) return Cancelled(result);
  result.event = result.aiccEvent < result.aiccFlat && (trials == 0 || result.falseAlarm <= kEventFalseAlarmLimit);
  if (!result.event) return result;
  if (!AddIntervals({grid, step, wave, atD, atR, noise}, options, trials, result)) return Cancelled(result);
  return result;
}

}  // namespace zuna
