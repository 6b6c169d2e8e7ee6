#pragma once
// The time lapse filter's decisions: which samples of the capture stream go on to the recording and
// with which times. Samples that are not kept are dropped (never delivered with an unwritten buffer),
// and kept samples are stamped one frame apart, so the recording is a continuous video without gaps
// that a reader would take for dropped frames.
#include <atomic>
#include <cstdint>
#include <optional>

#include "common/foundation/common_state.h"

namespace zuna {

// A sample's start and stop, in 100 ns units for stream times and in frames for media times.
struct SampleSpan {
  std::int64_t start = 0;
  std::int64_t stop = 0;
  bool operator==(const SampleSpan&) const = default;
};

struct SampleTimes {
  std::optional<SampleSpan> stream;
  std::optional<SampleSpan> media;
  bool operator==(const SampleTimes&) const = default;
};

struct TimeLapseSettings {
  std::uint32_t count = 0;         // "TimeLapseCount": frames per kept frame, or seconds between kept frames
  bool intervalMode = false;       // "TimeLapseType": true for seconds, false for skipped frames
  std::int64_t frameDuration = 0;  // the stream's frame duration in 100 ns units; 0 when the format gives none
};

// Read at buffer negotiation: the count a recording starts with stays until the next graph rebuild.
inline TimeLapseSettings LoadTimeLapseSettings(const CommonState& state, bool intervalMode,
                                               std::int64_t frameDuration) {
  return {static_cast<std::uint32_t>(state.timeLapseCount.load(std::memory_order_relaxed)), intervalMode,
          frameDuration};
}

struct TimeLapseDecision {
  bool deliver = false;  // true: copy the rows and deliver; false: drop the sample (the base's S_FALSE)
  SampleTimes times;     // the times to give the delivered sample
};

class TimeLapseDecider {
 public:
  static constexpr std::int64_t kUnitsPerSecond = 10'000'000;

  // Buffer negotiation.
  void Latch(const TimeLapseSettings& settings) { settings_ = settings; }
  // The first sample after an insertion into a graph (the geometry latch): a new recording begins.
  void Restart();

  // Once per sample, in stream order.
  TimeLapseDecision Decide(const SampleTimes& sample);

  const TimeLapseSettings& Settings() const { return settings_; }

 private:
  bool Keep(const SampleTimes& sample);
  bool KeepInterval(const SampleTimes& sample) const;
  SampleTimes Restamp(const SampleTimes& sample);

  TimeLapseSettings settings_;
  std::uint32_t phase_ = 0;  // skipped frames: 0 means the next sample is kept
  std::int64_t kept_ = 0;    // samples kept since the restart
  std::optional<std::int64_t> lastKeptStart_;
  std::optional<std::int64_t> streamBase_;  // stream start of kept sample 0
  std::optional<std::int64_t> mediaBase_;
  std::int64_t duration_ = 0;  // the stamping step; 0 until known
};

}  // namespace zuna
