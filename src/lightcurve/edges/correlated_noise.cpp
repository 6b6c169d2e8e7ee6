#include "lightcurve/edges/correlated_noise.h"

#include <algorithm>
#include <cmath>

namespace zuna {
namespace {

// Autoregressive coefficients from the autocorrelation (Levinson-Durbin); stops at the first order
// whose reflection coefficient would make the process unstable.
void FitAutoregression(NoiseModel& model) {
  const auto& rho = model.autocorrelation;
  std::vector<double> phi;
  double variance = 1;
  for (std::size_t order = 1; order <= rho.size(); ++order) {
    double numerator = rho[order - 1];
    for (std::size_t j = 0; j + 1 < order; ++j) numerator -= phi[j] * rho[order - 2 - j];
    const double reflection = numerator / variance;
    if (!(std::abs(reflection) < 0.99)) break;
    std::vector<double> next(order);
    for (std::size_t j = 0; j + 1 < order; ++j) next[j] = phi[j] - reflection * phi[order - 2 - j];
    next[order - 1] = reflection;
    phi = std::move(next);
    variance *= 1 - reflection * reflection;
  }
  model.autocorrelation.resize(phi.size());
  model.ar = std::move(phi);
  model.innovation = std::sqrt(variance);
}

}  // namespace

NoiseModel EstimateNoiseModel(std::span<const double> residuals, std::span<const std::int64_t> slots) {
  NoiseModel model;
  const std::size_t n = std::min(residuals.size(), slots.size());
  if (n < 8) return model;
  double mean = 0;
  for (std::size_t i = 0; i < n; ++i) mean += residuals[i];
  mean /= static_cast<double>(n);
  double c0 = 0;
  for (std::size_t i = 0; i < n; ++i) c0 += (residuals[i] - mean) * (residuals[i] - mean);
  if (!(c0 > 0)) return model;

  std::vector<double> sums(kMaxNoiseLag + 1, 0.0);
  std::vector<std::size_t> pairs(kMaxNoiseLag + 1, 0);
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = i + 1; j < n && slots[j] - slots[i] <= kMaxNoiseLag; ++j) {
      const auto lag = static_cast<std::size_t>(slots[j] - slots[i]);
      sums[lag] += (residuals[i] - mean) * (residuals[j] - mean);
      ++pairs[lag];
    }
  }
  // Keep the leading lags that stand out of the scatter of an estimate from that many pairs.
  for (std::size_t lag = 1; lag <= kMaxNoiseLag; ++lag) {
    if (pairs[lag] < 8) break;
    const double rho = sums[lag] / c0 * static_cast<double>(n) / static_cast<double>(pairs[lag]);
    if (std::abs(rho) < 2.0 / std::sqrt(static_cast<double>(pairs[lag]))) break;
    model.autocorrelation.push_back(std::clamp(rho, -0.99, 0.99));
  }
  FitAutoregression(model);
  return model;
}

double MeanVarianceFactor(const NoiseModel& model, std::size_t n) {
  // The autocorrelation beyond the measured lags follows from the autoregression.
  constexpr std::size_t kLongestLag = 1000;
  std::vector<double> rho(model.autocorrelation);
  double factor = 1;
  for (std::size_t k = 1; k < n && k <= kLongestLag; ++k) {
    if (k > rho.size()) {
      if (model.ar.empty()) break;
      double next = 0;
      for (std::size_t j = 0; j < model.ar.size(); ++j) next += model.ar[j] * (k >= j + 2 ? rho[k - j - 2] : 1.0);
      rho.push_back(next);
    }
    factor += 2 * (1 - static_cast<double>(k) / static_cast<double>(n)) * rho[k - 1];
  }
  return std::max(factor, 0.05);
}

void FillCorrelatedNoise(const NoiseModel& model, NormalRandom& random, std::span<double> out) {
  const std::size_t order = model.ar.size();
  if (order == 0) {
    for (double& x : out) x = random.Normal();
    return;
  }
  // Run in from zero long enough for the start to be forgotten.
  constexpr std::size_t kRunIn = 64;
  std::vector<double> history(order, 0.0);  // most recent first
  auto step = [&] {
    double x = model.innovation * random.Normal();
    for (std::size_t k = 0; k < order; ++k) x += model.ar[k] * history[k];
    for (std::size_t k = order - 1; k > 0; --k) history[k] = history[k - 1];
    history[0] = x;
    return x;
  };
  for (std::size_t i = 0; i < kRunIn; ++i) step();
  for (double& x : out) x = step();
}

}  // namespace zuna
