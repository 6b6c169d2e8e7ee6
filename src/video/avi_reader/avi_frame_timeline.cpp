#include "video/avi_reader/avi_frame_timeline.h"

#include <algorithm>

namespace zuna {
namespace {

constexpr std::uint64_t kTicksPerSecond = 10'000'000;

// a * b / c rounded to the nearest whole number, without overflow for any 64-bit a and 32-bit b.
std::uint64_t MulDivRound(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
#if defined(__SIZEOF_INT128__)
  __extension__ typedef unsigned __int128 Wide;
  const Wide quotient = (static_cast<Wide>(a) * b + c / 2) / c;
  return quotient > UINT64_MAX ? UINT64_MAX : static_cast<std::uint64_t>(quotient);
#else
  const long double quotient = (static_cast<long double>(a) * b + c / 2) / c;
  return quotient >= 1.8e19L ? UINT64_MAX : static_cast<std::uint64_t>(quotient);
#endif
}

}  // namespace

// Frame times are whole 100 ns units, so nominal times such as 1001000 / 3 fall a fraction before
// or after their exact value, and capture devices add jitter: each time belongs to the nearest slot.
std::uint64_t AviFrameTimeline::SlotOf(std::uint64_t sinceOrigin) const {
  return MulDivRound(sinceOrigin, rate_, static_cast<std::uint64_t>(scale_) * kTicksPerSecond);
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
  const std::uint64_t distance = forward
                                     ? static_cast<std::uint64_t>(startTime100ns) - static_cast<std::uint64_t>(origin_)
                                     : static_cast<std::uint64_t>(origin_) - static_cast<std::uint64_t>(startTime100ns);
  const std::uint64_t slots = SlotOf(distance);
  const bool tooFarAhead = forward && slots > expected && slots - expected > maxGap;
  const bool tooFarBehind =
      forward ? expected > slots && expected - slots > maxGap : slots > maxGap - std::min(expected, maxGap);
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
