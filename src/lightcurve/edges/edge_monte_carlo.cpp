#include "lightcurve/edges/edge_monte_carlo.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zuna {
namespace {

bool Cancelled(const std::atomic<bool>* cancel) {
  return cancel && cancel->load(std::memory_order_relaxed);
}

// Value and noise sigma of the exposure at `slot` with the edge at `edge`: partly each level when
// the edge crosses the exposure.
void ExposureModel(const EdgeLevels& levels, double slot, double edge, double& value, double& sigma) {
  const double beforeFraction = std::clamp(edge - slot, 0.0, 1.0);
  value = beforeFraction * levels.before + (1 - beforeFraction) * levels.after;
  sigma = std::sqrt(beforeFraction * levels.sigmaBefore * levels.sigmaBefore +
                    (1 - beforeFraction) * levels.sigmaAfter * levels.sigmaAfter);
}

constexpr std::size_t kLevelDraws = 16;

// The smallest sums[i + w] - sums[i]; four running minima keep the processor's pipeline full.
double SmallestDifference(const std::vector<double>& sums, std::size_t w) {
  const std::size_t count = sums.size() - w;
  const double* lo = sums.data();
  const double* hi = sums.data() + w;
  double m[4] = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity(),
                 std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
  std::size_t i = 0;
  for (; i + 4 <= count; i += 4)
    for (std::size_t k = 0; k < 4; ++k) m[k] = std::min(m[k], hi[i + k] - lo[i + k]);
  for (; i < count; ++i) m[0] = std::min(m[0], hi[i] - lo[i]);
  return std::min(std::min(m[0], m[1]), std::min(m[2], m[3]));
}

// The levels and sigmas as a fit to noisy points may find them.
EdgeLevels PerturbedLevels(const EdgeSimulation& simulation, NormalRandom& random) {
  EdgeLevels seen = simulation.levels;
  seen.before += simulation.levelErrorBefore * random.Normal();
  seen.after += simulation.levelErrorAfter * random.Normal();
  const double sigmaScale = std::max(1 + simulation.sigmaRelativeError * random.Normal(), 0.5);
  seen.sigmaBefore *= sigmaScale;
  seen.sigmaAfter *= sigmaScale;
  return seen;
}

}  // namespace

std::vector<double> SimulateEdgeErrors(const EdgeSimulation& simulation, const NoiseModel& noise, int trials,
                                       std::uint64_t seed, const std::atomic<bool>* cancel) {
  const auto slots = simulation.slots;
  const std::size_t n = slots.size();
  std::vector<double> errors;
  if (n == 0 || trials <= 0) return errors;
  NormalRandom random(seed);
  // The likelihood of the edge under a few draws of the levels and sigmas within their uncertainty:
  // the true edge is as uncertain as they are.
  std::vector<EdgeLocator> measured(kLevelDraws);
  for (std::size_t k = 0; k < measured.size(); ++k)
    measured[k].Weigh(simulation.values, slots, k == 0 ? simulation.levels : PerturbedLevels(simulation, random));
  EdgeLocator locator;
  std::vector<double> noiseValues(static_cast<std::size_t>(slots.back() - slots.front() + 1));
  std::vector<double> values(n);
  errors.reserve(static_cast<std::size_t>(trials));
  for (int trial = 0; trial < trials; ++trial) {
    if (trial % 256 == 0 && Cancelled(cancel)) return {};
    const double edge = measured[random.Next() % measured.size()].Quantile(random.Uniform());
    FillCorrelatedNoise(noise, random, noiseValues);
    for (std::size_t i = 0; i < n; ++i) {
      double truth = 0;
      double sigma = 0;
      ExposureModel(simulation.levels, static_cast<double>(slots[i]), edge, truth, sigma);
      values[i] = truth + sigma * noiseValues[static_cast<std::size_t>(slots[i] - slots.front())];
    }
    errors.push_back(locator.Locate(values, slots, PerturbedLevels(simulation, random)) - edge);
  }
  return errors;
}

double Quantile(std::span<const double> sorted, double q) {
  if (sorted.empty()) return 0;
  const double at = std::clamp(q, 0.0, 1.0) * static_cast<double>(sorted.size() - 1);
  const auto below = static_cast<std::size_t>(at);
  const std::size_t above = std::min(below + 1, sorted.size() - 1);
  const double f = at - static_cast<double>(below);
  return sorted[below] * (1 - f) + sorted[above] * f;
}

double FalsePositiveRate(const NoiseDrop& drop, const NoiseModel& noise, int trials, std::uint64_t seed,
                         const std::atomic<bool>* cancel) {
  const auto slots = drop.slots;
  const std::size_t n = slots.size();
  const std::size_t w = drop.eventPoints;
  if (trials <= 0 || w == 0 || w >= n) return 0;
  NormalRandom random(seed);
  std::vector<double> noiseValues(static_cast<std::size_t>(slots.back() - slots.front() + 1));
  // The drop over points [i, i + w) is S / (n - w) - S_window (1 / (n - w) + 1 / w), S the total:
  // the deepest drop is that of the smallest window sum.
  const double outside = 1.0 / static_cast<double>(n - w);
  const double weight = outside + 1.0 / static_cast<double>(w);
  const bool gaps = slots.back() - slots.front() + 1 != static_cast<std::int64_t>(n);
  std::vector<double> present(gaps ? n : 0);
  int deeper = 0;
  for (int trial = 0; trial < trials; ++trial) {
    if (trial % 64 == 0 && Cancelled(cancel)) return -1;
    FillCorrelatedNoise(noise, random, noiseValues);
    if (gaps) {
      for (std::size_t i = 0; i < n; ++i) present[i] = noiseValues[static_cast<std::size_t>(slots[i] - slots.front())];
    }
    const double* x = gaps ? present.data() : noiseValues.data();
    double window = 0;
    for (std::size_t i = 0; i < w; ++i) window += x[i];
    double total = window;
    double smallest = window;
    for (std::size_t i = w; i < n; ++i) {
      total += x[i];
      window += x[i] - x[i - w];
      smallest = std::min(smallest, window);
    }
    if (total * outside - smallest * weight >= drop.depthInSigmas) ++deeper;
  }
  return static_cast<double>(deeper) / trials;
}

std::vector<std::size_t> ScanDurations(std::size_t n, std::size_t shortest) {
  std::vector<std::size_t> durations;
  for (std::size_t w = std::max<std::size_t>(shortest, 1); w + 2 <= n; w = std::max(w + 1, w + w / 4))
    durations.push_back(w);
  return durations;
}

double MostSignificantDrop(std::span<const double> values, std::span<const std::size_t> durations, double sigma) {
  const std::size_t n = values.size();
  std::vector<double> sums(n + 1, 0.0);
  for (std::size_t i = 0; i < n; ++i) sums[i + 1] = sums[i] + values[i];
  const double total = sums[n];
  double best = -std::numeric_limits<double>::infinity();
  for (const std::size_t w : durations) {
    if (w == 0 || w + 1 > n) continue;
    const double smallest = SmallestDifference(sums, w);
    const double inside = static_cast<double>(w);
    const double outside = static_cast<double>(n - w);
    const double drop = (total - smallest) / outside - smallest / inside;
    best = std::max(best, drop / (sigma * std::sqrt(1 / inside + 1 / outside)));
  }
  return best;
}

double FalseAlarmRate(std::span<const std::int64_t> slots, std::span<const std::size_t> durations, double significance,
                      const NoiseModel& noise, int trials, std::uint64_t seed, const std::atomic<bool>* cancel) {
  if (trials <= 0 || slots.empty()) return 0;
  NormalRandom random(seed);
  std::vector<double> noiseValues(static_cast<std::size_t>(slots.back() - slots.front() + 1));
  std::vector<double> values(slots.size());
  int higher = 0;
  for (int trial = 0; trial < trials; ++trial) {
    if (trial % 16 == 0 && Cancelled(cancel)) return -1;
    FillCorrelatedNoise(noise, random, noiseValues);
    for (std::size_t i = 0; i < slots.size(); ++i)
      values[i] = noiseValues[static_cast<std::size_t>(slots[i] - slots.front())];
    if (MostSignificantDrop(values, durations, 1.0) >= significance) ++higher;
  }
  return static_cast<double>(higher) / trials;
}

}  // namespace zuna
