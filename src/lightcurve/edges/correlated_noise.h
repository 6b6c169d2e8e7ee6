#pragma once
// The noise of a light curve as an autoregressive process: its autocorrelation at small lags measured
// from the residuals of a fit, and a generator of unit-variance noise with that autocorrelation.
#include <cstdint>
#include <span>
#include <vector>

#include "lightcurve/edges/normal_random.h"

namespace zuna {

struct NoiseModel {
  std::vector<double> autocorrelation;  // at lags 1, 2, ... (empty: white noise)
  std::vector<double> ar;               // x[t] = sum ar[k] x[t-1-k] + innovation * e[t]
  double innovation = 1;
};

inline constexpr int kMaxNoiseLag = 8;

// Residuals at grid slots (increasing; missing slots are gaps). Lags are counted in slots, so a gap
// never pairs points that are further apart than they seem. Only lags whose correlation stands out
// of the estimate's own scatter are kept.
NoiseModel EstimateNoiseModel(std::span<const double> residuals, std::span<const std::int64_t> slots);

// Variance of the mean of n consecutive noise values, relative to that of white noise (sigma^2 / n).
double MeanVarianceFactor(const NoiseModel& model, std::size_t n);

// Fills `out` with stationary unit-variance noise of the model.
void FillCorrelatedNoise(const NoiseModel& model, NormalRandom& random, std::span<double> out);

}  // namespace zuna
