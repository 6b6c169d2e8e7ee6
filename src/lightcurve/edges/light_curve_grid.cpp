#include "lightcurve/edges/light_curve_grid.h"

#include <algorithm>
#include <cmath>

namespace zuna {
namespace {

// Positions closer than this (in frames) are one exposure.
constexpr double kSamePosition = 1e-6;
// The noise of the Monte-Carlo trials is drawn for every slot, gaps included: a curve whose gaps
// outweigh its points this much is not one light curve.
constexpr double kMaxSlotsPerPoint = 64;
// Larger values are no measured signal (and their squares would overflow).
constexpr double kLargestValue = 1e15;

}  // namespace

LightCurveGrid MakeLightCurveGrid(std::span<const LightCurvePoint> points) {
  std::vector<LightCurvePoint> sorted;
  sorted.reserve(points.size());
  for (const auto& p : points)
    if (std::isfinite(p.position) && std::abs(p.value) <= kLargestValue) sorted.push_back(p);
  std::stable_sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.position < b.position; });
  sorted.erase(std::unique(sorted.begin(), sorted.end(),
                           [](const auto& a, const auto& b) { return b.position - a.position < kSamePosition; }),
               sorted.end());

  LightCurveGrid grid;
  if (sorted.empty()) return grid;
  double step = 0;
  for (std::size_t i = 1; i < sorted.size(); ++i) {
    const double gap = sorted[i].position - sorted[i - 1].position;
    if (step == 0 || gap < step) step = gap;
  }
  if (step == 0) step = 1;
  grid.origin = sorted.front().position;
  grid.step = step;
  const double span = (sorted.back().position - grid.origin) / step;
  if (!(span < kMaxSlotsPerPoint * static_cast<double>(sorted.size()) + 1000)) {
    grid.tooSparse = true;
    return grid;
  }
  for (const auto& p : sorted) {
    const auto slot = static_cast<std::int64_t>(std::llround((p.position - grid.origin) / step));
    if (!grid.slots.empty() && slot <= grid.slots.back()) continue;
    grid.values.push_back(p.value);
    grid.slots.push_back(slot);
  }
  return grid;
}

}  // namespace zuna
