#pragma once
// Synthetic light curves for the edge fit's tests: a square wave integrated over each exposure, with
// Gaussian noise (optionally correlated from point to point) and optional dropped points.
#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <vector>

#include "lightcurve/edges/edge_fit.h"
#include "lightcurve/edges/normal_random.h"

namespace zuna::testing {

inline constexpr double kAbsent = std::numeric_limits<double>::infinity();

struct SquareWaveSettings {
  std::size_t points = 250;
  double step = 1;  // 0.5 for fields
  double baseline = 1000;
  double sigma = 10;
  double dnr = 8;
  double sigmaEventRatio = 1;  // the event's noise against the baseline's
  double correlation = 0;      // lag-1 correlation of an AR(1) noise
  double d = -kAbsent;         // true edges (positions); -inf / +inf when absent
  double r = kAbsent;
  std::set<std::size_t> dropped;  // indices of exposures left out
};

std::vector<LightCurvePoint> MakeSquareWave(const SquareWaveSettings& settings, NormalRandom& random);

// A random event of 30 to 40 frames at a random fractional position in the middle of the curve.
void PlaceRandomEvent(SquareWaveSettings& settings, NormalRandom& random);

}  // namespace zuna::testing
