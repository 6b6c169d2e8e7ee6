#pragma once
// Monte-Carlo figures of the fit: the spread of an edge's estimate, from windows simulated around
// the fitted edge with noise of the measured autocorrelation, and the false-positive figure, from
// whole curves of noise alone.
#include <atomic>
#include <cstdint>
#include <span>
#include <vector>

#include "lightcurve/edges/correlated_noise.h"
#include "lightcurve/edges/edge_locator.h"

namespace zuna {

// Each trial takes its true edge from the likelihood of the edge in the measured window rather than
// the fitted edge alone: an estimate's error depends on where the edge crosses an exposure, and an
// edge in a gap may be anywhere in it. The trial's locator sees levels and sigmas off by their own
// uncertainty.
struct EdgeSimulation {
  std::span<const double> values;  // the window's measured points
  std::span<const std::int64_t> slots;
  EdgeLevels levels;
  // Standard errors of the fitted levels: each trial's locator sees levels off by that much.
  double levelErrorBefore = 0;
  double levelErrorAfter = 0;
  double sigmaRelativeError = 0;  // of the fitted sigmas
};

// Errors (estimate - truth, in slots) of `trials` simulated estimates; empty when cancelled.
std::vector<double> SimulateEdgeErrors(const EdgeSimulation& simulation, const NoiseModel& noise, int trials,
                                       std::uint64_t seed, const std::atomic<bool>* cancel);

// The value below which a fraction q of the (sorted) samples lie.
double Quantile(std::span<const double> sorted, double q);

struct NoiseDrop {
  std::span<const std::int64_t> slots;  // the curve's points
  std::size_t eventPoints = 0;          // duration of the drop, in points
  double depthInSigmas = 0;             // the drop found, in units of the noise's sigma
};

// How often noise alone makes a drop at least as deep over as many points, anywhere in the curve;
// a negative value when cancelled.
double FalsePositiveRate(const NoiseDrop& drop, const NoiseModel& noise, int trials, std::uint64_t seed,
                         const std::atomic<bool>* cancel);

// The event decision's figure: the look-elsewhere effect of a search over every position and
// duration makes noise alone produce some drop that looks significant by itself, so the drop found is
// measured against the most significant drop of noise curves over positions and a ladder of durations.

// Durations of the scan: every one up to 8 points, then steps of a quarter, up to n - 2.
std::vector<std::size_t> ScanDurations(std::size_t n, std::size_t shortest);

// The largest (mean outside - mean inside) / (sigma sqrt(1 / w + 1 / (n - w))) over windows of w
// consecutive points, w from `durations`.
double MostSignificantDrop(std::span<const double> values, std::span<const std::size_t> durations, double sigma);

// How often noise alone has a drop at least as significant; a negative value when cancelled.
double FalseAlarmRate(std::span<const std::int64_t> slots, std::span<const std::size_t> durations, double significance,
                      const NoiseModel& noise, int trials, std::uint64_t seed, const std::atomic<bool>* cancel);

}  // namespace zuna
