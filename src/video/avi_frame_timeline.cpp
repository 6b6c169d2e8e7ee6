#include "video/avi_frame_timeline.h"

#include <algorithm>

namespace zuna {
namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;

// floor(a * b / c) without overflow for any 64-bit a and 32-bit b.
std::uint64_t MulDivFloor(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
#if defined(__SIZEOF_INT128__)
  __extension__ typedef unsigned __int128 Wide;
  const Wide product = static_cast<Wide>(a) * b / c;
  return product > UINT64_MAX ? UINT64_MAX : static_cast<std::uint64_t>(product);
#else
  const long double product = static_cast<long double>(a) * b / c;
  return product >= 1.8e19L ? UINT64_MAX : static_cast<std::uint64_t>(product);
#endif
}

}  // namespace

std::uint64_t AviFrameTimeline::SlotOf(std::uint64_t sinceOrigin) const {
  return MulDivFloor(sinceOrigin, rate_, static_cast<std::uint64_t>(scale_) * kTicksPerSecond);
}

AviFrameTimeline::Placement AviFrameTimeline::Place(std::int64_t startTime100ns, std::uint64_t nextSlot) {
  Placement placement;
  if (!started_ || rate_ == 0 || scale_ == 0) {
    started_ = true;
    origin_ = startTime100ns;
    originSlot_ = nextSlot;
    return placement;
  }
  // Slots since the origin: where this frame lies, and where the next one was expected.
  const std::uint64_t expected = nextSlot - originSlot_;
  const std::uint64_t maxGap = SlotOf(kMaxGapSeconds * kTicksPerSecond);
  const bool forward = startTime100ns >= origin_;
  const std::uint64_t distance = forward ? static_cast<std::uint64_t>(startTime100ns) - static_cast<std::uint64_t>(origin_)
                                         : static_cast<std::uint64_t>(origin_) - static_cast<std::uint64_t>(startTime100ns);
  const std::uint64_t slots = SlotOf(distance);
  const bool tooFarAhead = forward && slots > expected && slots - expected > maxGap;
  const bool tooFarBehind = forward ? expected > slots && expected - slots > maxGap : slots > maxGap - std::min(expected, maxGap);
  if (tooFarAhead || tooFarBehind) {
    // A clock that leaps by an hour or more is a broken time line, not lost frames: count afresh.
    placement.discontinuity = true;
    origin_ = startTime100ns;
    originSlot_ = nextSlot;
    return placement;
  }
  if (forward && slots > expected) placement.missing = slots - expected;
  return placement;
}

}  // namespace zuna
