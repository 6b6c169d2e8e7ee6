#pragma once
// Finds the disappearance (D) and reappearance (R) of an occulted star in a light curve: a square
// wave (baseline B, event level A, Gaussian noise) fitted by maximum likelihood over every candidate
// pair of edges, the event kept only when it beats a flat line by AICc and noise alone rarely makes
// such a drop, sub-frame edges from points that lie between the levels, and Monte-Carlo error bars
// with noise of the measured autocorrelation.
//
// Intervals: ci68, ci95 and ci997 hold 68.27, 95.45 and 99.73 % of the trials' errors (one, two and
// three sigma); each is widened where needed to the edge's own likelihood over the same window.
//
// Positions: a point stands for the exposure [position, position + step), step being the distance
// between neighbouring points (1 for frames, 0.5 for fields). An edge at position p + f means the
// star changed level a fraction f through the exposure of the point at p. Points missing from the
// sequence (dropped frames) are gaps: the fit never places a level on them.
#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zuna {

struct LightCurvePoint {
  double position = 0;  // frame number, N or N + 0.5 for fields
  double value = 0;     // the target's signal
};

struct EdgeFitOptions {
  // Monte-Carlo trials for the error bars and the false-positive figure (0: no intervals, no figures;
  // the event then decided by AICc alone).
  int trials = 10'000;
  std::uint64_t seed = 20261209;  // the same seed gives the same results
  int minEventPoints = 1;         // shortest event considered
  // Set from another thread to stop a long run; the result then says it was cancelled.
  const std::atomic<bool>* cancel = nullptr;
};

struct EdgeInterval {
  double lo = 0;
  double hi = 0;
};

struct EdgeEstimate {
  double position = 0;  // fractional frame number, as LightCurvePoint::position
  EdgeInterval ci68;
  EdgeInterval ci95;
  EdgeInterval ci997;
};

inline constexpr double kEventFalseAlarmLimit = 0.01;
inline constexpr int kEventDecisionTrials = 1000;

struct EdgeFitResult {
  bool fitted = false;  // false: too few points, scattered positions, or cancelled; `problem` says why
  std::string problem;
  // The square wave beats the flat line by AICc, and noise alone rarely makes a drop as significant
  // anywhere (falseAlarm at most kEventFalseAlarmLimit). Without an event, d, r and duration are
  // absent and the levels, DNR and figures are those of the best square wave.
  bool event = false;
  std::optional<EdgeEstimate> d;  // absent when the event was under way when the curve starts
  std::optional<EdgeEstimate> r;  // absent when the event is not over when the curve ends
  // R - D in frames, with its intervals (from the same trials as the edges'), when both edges exist.
  std::optional<EdgeEstimate> duration;
  double baseline = 0;    // B
  double eventLevel = 0;  // A
  double sigmaBaseline = 0;
  double sigmaEvent = 0;
  double dnr = 0;              // (B - A) / sigmaBaseline
  double aiccFlat = 0;         // AICc of the flat line
  double aiccEvent = 0;        // AICc of the best square wave
  double eventLikelihood = 0;  // relative likelihood of the event model against the flat one, 0..1
  double falsePositive = 0;    // how often noise alone makes a drop as deep over the same duration, 0..1
  // How often noise alone makes a drop as significant as the one found at any position and duration
  // (the look-elsewhere effect of the search included), from min(trials, kEventDecisionTrials)
  // noise curves; the event decision's figure.
  double falseAlarm = 0;
  int trials = 0;              // Monte-Carlo trials run
  std::size_t pointsUsed = 0;  // points with a usable position and value
};

EdgeFitResult FitSquareWave(std::span<const LightCurvePoint> points, const EdgeFitOptions& options = {});

}  // namespace zuna
