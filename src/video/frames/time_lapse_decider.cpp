#include "video/frames/time_lapse_decider.h"

namespace zuna {

void TimeLapseDecider::Restart() {
  phase_ = 0;
  kept_ = 0;
  lastKeptStart_.reset();
  streamBase_.reset();
  mediaBase_.reset();
  duration_ = settings_.frameDuration > 0 ? settings_.frameDuration : 0;
}

TimeLapseDecision TimeLapseDecider::Decide(const SampleTimes& sample) {
  // Without a count the filter has nothing to thin out: every sample goes on as it came.
  if (settings_.count == 0) return {true, sample};
  if (!Keep(sample)) return {false, {}};
  TimeLapseDecision decision{true, Restamp(sample)};
  if (sample.stream) lastKeptStart_ = sample.stream->start;
  ++kept_;
  return decision;
}

bool TimeLapseDecider::Keep(const SampleTimes& sample) {
  if (settings_.intervalMode) return KeepInterval(sample);
  // The first sample and then one in every max(count, 2).
  if (phase_ == 0) {
    phase_ = 1;
    return true;
  }
  ++phase_;
  if (phase_ >= settings_.count) phase_ = 0;
  return false;
}

bool TimeLapseDecider::KeepInterval(const SampleTimes& sample) const {
  if (kept_ == 0) return true;       // a recording always holds its first frame
  if (!sample.stream) return false;  // no time: whether the interval has passed cannot be told
  if (!lastKeptStart_) return true;
  const std::int64_t elapsed = sample.stream->start - *lastKeptStart_;
  const std::int64_t interval = static_cast<std::int64_t>(settings_.count) * kUnitsPerSecond;
  // A stream time that went back (the clock was restarted) starts a new interval.
  return elapsed < 0 || elapsed >= interval;
}

SampleTimes TimeLapseDecider::Restamp(const SampleTimes& sample) {
  SampleTimes out = sample;
  if (sample.stream) {
    if (duration_ <= 0 && sample.stream->stop > sample.stream->start) {
      duration_ = sample.stream->stop - sample.stream->start;
    }
    if (duration_ > 0) {
      if (!streamBase_) streamBase_ = sample.stream->start - kept_ * duration_;
      const std::int64_t start = *streamBase_ + kept_ * duration_;
      out.stream = SampleSpan{start, start + duration_};
    }
  }
  if (sample.media) {
    if (!mediaBase_) mediaBase_ = sample.media->start - kept_;
    out.media = SampleSpan{*mediaBase_ + kept_, *mediaBase_ + kept_ + 1};
  }
  return out;
}

}  // namespace zuna
