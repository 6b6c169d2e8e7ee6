#include "lightcurve/edges/step_search.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace zuna {
namespace {

struct Best {
  double score = -std::numeric_limits<double>::infinity();
  std::size_t begin = 0;
  std::size_t end = 0;
};

}  // namespace

double Aicc(std::size_t n, double ss, int parameters) {
  const double count = static_cast<double>(n);
  const double k = parameters;
  const double fit = count * std::log(std::max(ss, 1e-300) / count);
  const double correction = count - k - 1 > 0 ? 2 * k * (k + 1) / (count - k - 1) : 1e300;
  return fit + 2 * k + correction;
}

StepFit FindBestStep(std::span<const double> values, int minEventPoints, const std::atomic<bool>* cancel) {
  StepFit fit;
  const std::size_t n = values.size();
  const std::size_t shortest = static_cast<std::size_t>(std::max(minEventPoints, 1));
  if (n < shortest + 2) return fit;

  // Centred cumulative sums keep the sums of squares exact enough for long, bright curves.
  double mean = 0;
  for (double v : values) mean += v;
  mean /= static_cast<double>(n);
  std::vector<double> sums(n + 1, 0.0);
  double squares = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const double x = values[i] - mean;
    sums[i + 1] = sums[i] + x;
    squares += x * x;
  }
  std::vector<double> inverse(n + 1, 0.0);
  for (std::size_t k = 1; k <= n; ++k) inverse[k] = 1.0 / static_cast<double>(k);
  const double total = sums[n];

  // The residual sum of squares is squares - (S_in^2 / n_in + S_out^2 / n_out): maximise the bracket.
  Best two;
  Best one;
  for (std::size_t begin = 0; begin + shortest <= n; ++begin) {
    if (cancel && cancel->load(std::memory_order_relaxed)) {
      fit.cancelled = true;
      return fit;
    }
    Best row;
    const std::size_t last = std::min(n - 1, n + begin - 2);  // two points stay at the baseline
    for (std::size_t end = begin + shortest; end < last + 1 && end < n; ++end) {
      const double in = sums[end] - sums[begin];
      const double out = total - in;
      const double nIn = inverse[end - begin];
      const double nOut = inverse[n - (end - begin)];
      const double score = in * in * nIn + out * out * nOut;
      if (in * nIn < out * nOut && score > row.score) row = {score, begin, end};
    }
    if (begin == 0) {
      if (row.score > one.score) one = row;
    } else if (row.score > two.score) {
      two = row;
    }
    // An event not over when the curve ends.
    if (begin > 0 && n - begin >= shortest && n - begin <= n - 2) {
      const double in = total - sums[begin];
      const double out = total - in;
      const double nIn = inverse[n - begin];
      const double nOut = inverse[begin];
      const double score = in * in * nIn + out * out * nOut;
      if (in * nIn < out * nOut && score > one.score) one = {score, begin, n};
    }
  }

  const bool haveTwo = std::isfinite(two.score);
  const bool haveOne = std::isfinite(one.score);
  if (!haveTwo && !haveOne) return fit;
  const double ssTwo = haveTwo ? std::max(squares - two.score, 0.0) : 0;
  const double ssOne = haveOne ? std::max(squares - one.score, 0.0) : 0;
  const bool useTwo =
      haveTwo && (!haveOne || Aicc(n, ssTwo, SquareWaveParameters(2)) <= Aicc(n, ssOne, SquareWaveParameters(1)));
  const Best& best = useTwo ? two : one;
  fit.found = true;
  fit.begin = best.begin;
  fit.end = best.end;
  fit.ss = useTwo ? ssTwo : ssOne;
  fit.edges = useTwo ? 2 : 1;
  const double in = sums[best.end] - sums[best.begin];
  const auto nIn = static_cast<double>(best.end - best.begin);
  fit.eventLevel = mean + in / nIn;
  fit.baseline = mean + (total - in) / (static_cast<double>(n) - nIn);
  return fit;
}

}  // namespace zuna
