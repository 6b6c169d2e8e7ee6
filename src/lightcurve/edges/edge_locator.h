#pragma once
// One edge located to a fraction of an exposure in a window of points around it, the levels on
// either side given. The likelihood of the edge at every position of the window (a point whose
// exposure the edge crosses takes the level in between, a gap takes none) is integrated, and the
// edge is placed at the median of that distribution: at a low drop-to-noise ratio this errs less
// than the single most likely position, and at a high one it is the same. The distribution also
// gives the Monte-Carlo trials their true edges (see edge_monte_carlo.h).
#include <cstdint>
#include <span>
#include <vector>

namespace zuna {

struct EdgeLevels {
  double before = 0;  // level before the edge
  double after = 0;   // level after it
  double sigmaBefore = 1;
  double sigmaAfter = 1;
};

class EdgeLocator {
 public:
  // Returns the edge in slot units: slot s + f is a fraction f through the exposure of slot s.
  // Values and slots are the window's points, in increasing slot order.
  double Locate(std::span<const double> values, std::span<const std::int64_t> slots, const EdgeLevels& levels) {
    Weigh(values, slots, levels);
    return Quantile(0.5);
  }

  // Lays out the likelihood over the window; Quantile(t) is then the position below which a
  // fraction t of it lies. The values must outlive the calls to Quantile.
  void Weigh(std::span<const double> values, std::span<const std::int64_t> slots, const EdgeLevels& levels);
  double Quantile(double t) const;

 private:
  struct Segment {
    double start = 0;  // slot where it begins
    double length = 0;
    double logWeight = 0;
    int point = -1;  // the point whose exposure it is, -1 for a gap
  };
  std::vector<double> before_;  // chi-square of points [0, i) at the level before
  std::vector<double> after_;   // chi-square of points [i, n) at the level after
  std::vector<Segment> segments_;
  double total_ = 0;
  std::span<const double> values_;
  double after_level_ = 0;
  double delta_ = 0;
  double sigma_ = 1;
};

}  // namespace zuna
