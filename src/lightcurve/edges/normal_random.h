#pragma once
// A small seeded generator of uniform and normal deviates that gives the same sequence with every
// compiler and standard library (the standard distributions do not): xoshiro256** for the bits and
// the ziggurat method for normal deviates.
#include <cstdint>

namespace zuna {

class NormalRandom {
 public:
  explicit NormalRandom(std::uint64_t seed);

  std::uint64_t Next();
  double Uniform();  // in (0, 1)
  double Normal();   // mean 0, standard deviation 1

 private:
  std::uint64_t state_[4];
};

// A seed derived from another for an independent stream (e.g. one per edge).
std::uint64_t MixSeed(std::uint64_t seed, std::uint64_t stream);

}  // namespace zuna
