// Solving D and R with their Monte-Carlo intervals and figures on a long light curve.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "lightcurve/edges/edge_fit.h"
#include "lightcurve/edges/normal_random.h"

namespace {

// A curve with an event of 35.4 frames at DNR 8, its edges inside exposures.
std::vector<zuna::LightCurvePoint> LongCurve(std::size_t n) {
  zuna::NormalRandom random(7);
  const double d = 0.4 * static_cast<double>(n) + 0.3;
  const double r = d + 35.4;
  std::vector<zuna::LightCurvePoint> points(n);
  for (std::size_t i = 0; i < n; ++i) {
    const auto start = static_cast<double>(i);
    const double inside = std::clamp(std::min(start + 1, r) - std::max(start, d), 0.0, 1.0);
    points[i] = {start, 1000 - inside * 80 + 10 * random.Normal()};
  }
  return points;
}

void BM_FitSquareWave(benchmark::State& state) {
  const auto points = LongCurve(static_cast<std::size_t>(state.range(0)));
  zuna::EdgeFitOptions options;
  options.trials = 10'000;
  for (auto _ : state) {
    const auto result = zuna::FitSquareWave(points, options);
    benchmark::DoNotOptimize(result);
    if (!result.event) state.SkipWithError("the event was not found");
  }
}
BENCHMARK(BM_FitSquareWave)->Arg(250)->Arg(10'000)->Unit(benchmark::kMillisecond);

}  // namespace
