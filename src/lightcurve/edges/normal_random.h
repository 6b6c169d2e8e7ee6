#pragma once
// A small seeded generator of uniform and normal deviates that gives the same sequence with every
// compiler and standard library (the standard distributions do not): xoshiro256** for the bits and
// the ziggurat method for normal deviates.
#include <cstdint>

namespace zuna {

class NormalRandom {
 public:
  explicit NormalRandom(std::uint64_t seed);

  std::uint64_t Next() {
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

  double Uniform() {  // in (0, 1)
    return (static_cast<double>(Next() >> 11) + 0.5) * 0x1.0p-53;
  }

  double Normal() {  // mean 0, standard deviation 1
    // The ziggurat's rectangles take nearly every draw; the rest go the slow way.
    const std::uint64_t bits = Next();
    const auto hz = static_cast<std::int32_t>(bits >> 32);  // the value and the layer from separate bits
    const auto layer = static_cast<unsigned>(bits & 127);
    const std::int64_t magnitude = hz < 0 ? -static_cast<std::int64_t>(hz) : hz;
    if (magnitude < limits_[layer]) return hz * widths_[layer];
    return NormalBeyondRectangle(hz, layer);
  }

 private:
  static std::uint64_t RotateLeft(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  double NormalBeyondRectangle(std::int32_t hz, unsigned layer);

  const std::int64_t* limits_;  // the ziggurat's tables, built once
  const double* widths_;
  std::uint64_t state_[4];
};

// A seed derived from another for an independent stream (e.g. one per edge).
std::uint64_t MixSeed(std::uint64_t seed, std::uint64_t stream);

}  // namespace zuna
