#pragma once
// Frame numbers and stream times (100 ns units) of a stream of `rate` frames per `scale` seconds.
// Start times are rounded to the nearest unit, and a frame's own start time always maps back to it,
// so a position handed out in either unit lands on the same frame when it comes back.
#include <cstdint>

namespace zuna {

class AviFrameClock {
 public:
  static constexpr std::int64_t kUnitsPerSecond = 10'000'000;

  // A rate or scale of 0 is taken as 1, so that no division can fail.
  AviFrameClock(std::uint32_t rate, std::uint32_t scale);

  std::int64_t StartTime(std::uint64_t frame) const;
  // The frame shown at `time`: the last one that starts at or before it (0 for negative times).
  std::uint64_t FrameAt(std::int64_t time) const;
  // The average frame time, rounded; at least 1.
  std::int64_t FrameDuration() const;

 private:
  std::uint32_t rate_;
  std::uint32_t scale_;
};

}  // namespace zuna
