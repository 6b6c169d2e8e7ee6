#include "lightcurve/edges/edge_locator.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zuna {
namespace {

constexpr double kSqrtHalf = 0.70710678118654752440;
constexpr double kLogSqrtTwoPi = 0.91893853320467274178;

// Probability that a standard normal deviate lies between a and b (a <= b), accurate in the tails.
double NormalBetween(double a, double b) {
  if (a >= 0) return 0.5 * (std::erfc(a * kSqrtHalf) - std::erfc(b * kSqrtHalf));
  if (b <= 0) return 0.5 * (std::erfc(-b * kSqrtHalf) - std::erfc(-a * kSqrtHalf));
  return 1 - 0.5 * std::erfc(-a * kSqrtHalf) - 0.5 * std::erfc(b * kSqrtHalf);
}

struct Transition {
  double after;  // the level at fraction 0 of the exposure crossed
  double delta;  // before - after: the value at fraction f is after + f * delta
  double sigma;

  // Integral over f in [0, f1] of exp(-(v - after - f delta)^2 / (2 sigma^2)), in sigma / |delta| units.
  double Mass(double v, double f1) const {
    const double a = (after - v) / sigma;
    const double b = (after + f1 * delta - v) / sigma;
    return NormalBetween(std::min(a, b), std::max(a, b));
  }

  double LogMass(double v) const {
    const double scale = std::log(sigma / std::abs(delta)) + kLogSqrtTwoPi;
    const double mass = Mass(v, 1);
    if (mass > 1e-250) return scale + std::log(mass);
    // Far outside both levels: the normal tail's asymptote.
    const double lo = std::min(after, after + delta);
    const double hi = std::max(after, after + delta);
    const double d = std::max({(lo - v) / sigma, (v - hi) / sigma, 1.0});
    return scale - 0.5 * d * d - std::log(d) - kLogSqrtTwoPi;
  }

  // The fraction that splits the mass of this exposure in the ratio t : 1 - t.
  double Split(double v, double t) const {
    const double whole = Mass(v, 1);
    if (!(whole > 1e-250)) return std::clamp((v - after) / delta, 0.0, 1.0);
    double lo = 0;
    double hi = 1;
    for (int i = 0; i < 40; ++i) {
      const double mid = 0.5 * (lo + hi);
      (Mass(v, mid) < t * whole ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
  }
};

}  // namespace

void EdgeLocator::Weigh(std::span<const double> values, std::span<const std::int64_t> slots, const EdgeLevels& levels) {
  const std::size_t n = std::min(values.size(), slots.size());
  values_ = values.first(n);
  segments_.clear();
  total_ = 0;
  if (n == 0) return;
  before_.assign(n + 1, 0.0);
  after_.assign(n + 1, 0.0);
  for (std::size_t i = 0; i < n; ++i) {
    const double z = (values[i] - levels.before) / levels.sigmaBefore;
    before_[i + 1] = before_[i] + z * z;
  }
  for (std::size_t i = n; i-- > 0;) {
    const double z = (values[i] - levels.after) / levels.sigmaAfter;
    after_[i] = after_[i + 1] + z * z;
  }
  after_level_ = levels.after;
  delta_ = levels.before - levels.after;
  sigma_ = std::sqrt(0.5 * (levels.sigmaBefore * levels.sigmaBefore + levels.sigmaAfter * levels.sigmaAfter));
  const bool flat = !(std::abs(delta_) > 1e-9 * sigma_);
  const Transition transition{after_level_, delta_, sigma_};

  double best = -std::numeric_limits<double>::infinity();
  for (std::size_t i = 0; i < n; ++i) {
    if (i > 0 && slots[i] - slots[i - 1] > 1) {
      const auto gap = static_cast<double>(slots[i] - slots[i - 1] - 1);
      segments_.push_back(
          {static_cast<double>(slots[i - 1] + 1), gap, -0.5 * (before_[i] + after_[i]) + std::log(gap), -1});
      best = std::max(best, segments_.back().logWeight);
    }
    const double z = (values[i] - levels.after) / sigma_;
    const double own = flat ? -0.5 * z * z : transition.LogMass(values[i]);
    segments_.push_back({static_cast<double>(slots[i]), 1.0, -0.5 * (before_[i] + after_[i + 1]) + own,
                         flat ? -1 : static_cast<int>(i)});
    best = std::max(best, segments_.back().logWeight);
  }
  for (auto& s : segments_) {
    s.logWeight = std::exp(s.logWeight - best);  // now the weight itself
    total_ += s.logWeight;
  }
}

double EdgeLocator::Quantile(double t) const {
  if (segments_.empty()) return 0;
  double remaining = std::clamp(t, 0.0, 1.0) * total_;
  for (const auto& s : segments_) {
    if (remaining > s.logWeight) {
      remaining -= s.logWeight;
      continue;
    }
    const double share = s.logWeight > 0 ? remaining / s.logWeight : 0.5;
    if (s.point < 0) return s.start + share * s.length;
    const Transition transition{after_level_, delta_, sigma_};
    return s.start + transition.Split(values_[static_cast<std::size_t>(s.point)], share);
  }
  return segments_.back().start + segments_.back().length;
}

}  // namespace zuna
