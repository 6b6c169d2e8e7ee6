#include "lightcurve/edges/normal_random.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace zuna {
namespace {

std::uint64_t SplitMix(std::uint64_t& x) {
  std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

// Marsaglia and Tsang's 128-layer ziggurat for the normal density.
constexpr double kTailStart = 3.442619855899;
constexpr double kLayerArea = 9.91256303526217e-3;

struct Ziggurat {
  std::array<std::int64_t, 128> k{};
  std::array<double, 128> w{};
  std::array<double, 128> f{};
};

const Ziggurat& Tables() {
  static const Ziggurat tables = [] {
    Ziggurat z;
    const double scale = 2147483648.0;
    double dn = kTailStart;
    double tn = dn;
    const double q = kLayerArea / std::exp(-0.5 * dn * dn);
    z.k[0] = static_cast<std::int64_t>((dn / q) * scale);
    z.k[1] = 0;
    z.w[0] = q / scale;
    z.w[127] = dn / scale;
    z.f[0] = 1.0;
    z.f[127] = std::exp(-0.5 * dn * dn);
    for (int i = 126; i >= 1; --i) {
      dn = std::sqrt(-2.0 * std::log(kLayerArea / dn + std::exp(-0.5 * dn * dn)));
      z.k[i + 1] = static_cast<std::int64_t>((dn / tn) * scale);
      tn = dn;
      z.f[i] = std::exp(-0.5 * dn * dn);
      z.w[i] = dn / scale;
    }
    return z;
  }();
  return tables;
}

}  // namespace

NormalRandom::NormalRandom(std::uint64_t seed) : limits_(Tables().k.data()), widths_(Tables().w.data()) {
  for (auto& word : state_) word = SplitMix(seed);
}

double NormalRandom::NormalBeyondRectangle(std::int32_t hz, unsigned layer) {
  const Ziggurat& z = Tables();
  for (;;) {
    const double x = hz * z.w[layer];
    if (std::llabs(hz) < z.k[layer]) return x;
    if (layer == 0) {
      double tail = 0;
      double y = 0;
      do {
        tail = -std::log(Uniform()) / kTailStart;
        y = -std::log(Uniform());
      } while (y + y < tail * tail);
      return hz > 0 ? kTailStart + tail : -kTailStart - tail;
    }
    if (z.f[layer] + Uniform() * (z.f[layer - 1] - z.f[layer]) < std::exp(-0.5 * x * x)) return x;
    const std::uint64_t bits = Next();
    hz = static_cast<std::int32_t>(bits >> 32);
    layer = static_cast<unsigned>(bits & 127);
  }
}

std::uint64_t MixSeed(std::uint64_t seed, std::uint64_t stream) {
  std::uint64_t x = seed ^ (stream * 0xD1B54A32D192ED03ull);
  return SplitMix(x);
}

}  // namespace zuna
