#include "video/avi_reader/avi_frame_clock.h"

#include <algorithm>
#include <limits>

namespace zuna {
namespace {

// frame × scale × 10^7 needs more than 64 bits for the largest rates and positions.
__extension__ typedef unsigned __int128 Wide;

constexpr std::int64_t kMaxTime = std::numeric_limits<std::int64_t>::max();
constexpr std::uint64_t kMaxFrame = std::uint64_t{1} << 40;  // far beyond any stream; keeps the search finite

}  // namespace

AviFrameClock::AviFrameClock(std::uint32_t rate, std::uint32_t scale)
    : rate_(rate == 0 ? 1 : rate), scale_(scale == 0 ? 1 : scale) {}

std::int64_t AviFrameClock::StartTime(std::uint64_t frame) const {
  const Wide numerator = Wide{frame} * scale_ * kUnitsPerSecond * 2 + rate_;
  const Wide time = numerator / (Wide{rate_} * 2);
  return time > static_cast<Wide>(kMaxTime) ? kMaxTime : static_cast<std::int64_t>(time);
}

std::uint64_t AviFrameClock::FrameAt(std::int64_t time) const {
  if (time <= 0) return 0;
  const Wide estimate = Wide{static_cast<std::uint64_t>(time)} * rate_ / (Wide{scale_} * kUnitsPerSecond);
  std::uint64_t frame = static_cast<std::uint64_t>(std::min<Wide>(estimate, kMaxFrame));
  // Rounding of the start times moves a boundary by less than a frame either way.
  if (frame < kMaxFrame && StartTime(frame + 1) <= time) ++frame;
  if (frame > 0 && StartTime(frame) > time) --frame;
  return frame;
}

std::int64_t AviFrameClock::FrameDuration() const {
  return std::max<std::int64_t>(1, StartTime(1));
}

}  // namespace zuna
