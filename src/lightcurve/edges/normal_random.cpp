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

std::uint64_t RotateLeft(std::uint64_t x, int k) {
  return (x << k) | (x >> (64 - k));
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

NormalRandom::NormalRandom(std::uint64_t seed) {
  for (auto& word : state_) word = SplitMix(seed);
}

std::uint64_t NormalRandom::Next() {
  const std::uint64_t result = RotateLeft(state_[1] * 5, 7) * 9;
  const std::uint64_t t = state_[1] << 17;
  state_[2] ^= state_[0];
  state_[3] ^= state_[1];
  state_[1] ^= state_[2];
  state_[0] ^= state_[3];
  state_[2] ^= t;
  state_[3] = RotateLeft(state_[3], 45);
  return result;
}

double NormalRandom::Uniform() {
  return (static_cast<double>(Next() >> 11) + 0.5) * 0x1.0p-53;
}

double NormalRandom::Normal() {
  const Ziggurat& z = Tables();
  for (;;) {
    const std::uint64_t bits = Next();
    // The layer and the value come from separate bits, so that they are independent.
    const auto hz = static_cast<std::int32_t>(bits >> 32);
    const auto iz = static_cast<unsigned>(bits & 127);
    const double x = hz * z.w[iz];
    if (std::llabs(hz) < z.k[iz]) return x;
    if (iz == 0) {
      double tail = 0;
      double y = 0;
      do {
        tail = -std::log(Uniform()) / kTailStart;
        y = -std::log(Uniform());
      } while (y + y < tail * tail);
      return hz > 0 ? kTailStart + tail : -kTailStart - tail;
    }
    if (z.f[iz] + Uniform() * (z.f[iz - 1] - z.f[iz]) < std::exp(-0.5 * x * x)) return x;
  }
}

std::uint64_t MixSeed(std::uint64_t seed, std::uint64_t stream) {
  std::uint64_t x = seed ^ (stream * 0xD1B54A32D192ED03ull);
  return SplitMix(x);
}

}  // namespace zuna
