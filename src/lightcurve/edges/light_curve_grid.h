#pragma once
// A light curve laid on its grid of exposures: points in order of position, each with its slot
// (0 for the first point, 1 for the next exposure, ...); slots without a point are gaps.
#include <cstdint>
#include <span>
#include <vector>

#include "lightcurve/edges/edge_fit.h"

namespace zuna {

struct LightCurveGrid {
  double origin = 0;  // position of slot 0
  double step = 1;    // distance between neighbouring exposures
  std::vector<double> values;
  std::vector<std::int64_t> slots;
  bool tooSparse = false;  // the gaps dwarf the points: no grid

  double Position(double slot) const { return origin + slot * step; }
  std::int64_t SlotCount() const { return slots.empty() ? 0 : slots.back() + 1; }
};

// Points with a position that is not a finite number or an absurd value (not a number, beyond
// +-1e15) are left out, and so is a point at the position of the one before it. The step is the
// smallest distance between neighbours.
LightCurveGrid MakeLightCurveGrid(std::span<const LightCurvePoint> points);

}  // namespace zuna
