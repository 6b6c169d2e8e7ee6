#include "synthetic_light_curve.h"

#include <algorithm>

namespace zuna::testing {

std::vector<LightCurvePoint> MakeSquareWave(const SquareWaveSettings& s, NormalRandom& random) {
  const double eventLevel = s.baseline - s.dnr * s.sigma;
  const double innovation = std::sqrt(1 - s.correlation * s.correlation);
  double noise = random.Normal();
  std::vector<LightCurvePoint> points;
  for (std::size_t i = 0; i < s.points; ++i) {
    noise = s.correlation * noise + innovation * random.Normal();
    const double start = static_cast<double>(i) * s.step;
    const double inside = std::clamp((std::min(start + s.step, s.r) - std::max(start, s.d)) / s.step, 0.0, 1.0);
    const double sigma = s.sigma * std::sqrt((1 - inside) + inside * s.sigmaEventRatio * s.sigmaEventRatio);
    if (s.dropped.contains(i)) continue;
    points.push_back({start, s.baseline - inside * (s.baseline - eventLevel) + sigma * noise});
  }
  return points;
}

void PlaceRandomEvent(SquareWaveSettings& settings, NormalRandom& random) {
  const double length = static_cast<double>(settings.points) * settings.step;
  settings.d = length * (0.3 + 0.2 * random.Uniform());
  settings.r = settings.d + 30 + 10 * random.Uniform();
}

}  // namespace zuna::testing
