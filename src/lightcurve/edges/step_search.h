#pragma once
// The least-squares square wave over every candidate pair of edges: the event is the run of points
// [begin, end); begin 0 is an event under way when the curve starts, end n one not over when it ends.
#include <atomic>
#include <cstddef>
#include <span>

namespace zuna {

struct StepFit {
  bool found = false;
  std::size_t begin = 0;
  std::size_t end = 0;
  double ss = 0;  // residual sum of squares
  double baseline = 0;
  double eventLevel = 0;
  int edges = 0;  // 1 or 2
  bool cancelled = false;
};

// Only drops (event level below the baseline) count; at least two points stay at the baseline.
// The best pair with two edges and the best with one compete by AICc.
StepFit FindBestStep(std::span<const double> values, int minEventPoints, const std::atomic<bool>* cancel);

// Akaike's criterion with the small-sample correction, for Gaussian residuals.
double Aicc(std::size_t n, double ss, int parameters);

// Parameters of the models: the flat line (level, sigma) and the square wave (levels, sigma, edges).
inline constexpr int kFlatParameters = 2;
inline int SquareWaveParameters(int edges) {
  return 3 + edges;
}

}  // namespace zuna
