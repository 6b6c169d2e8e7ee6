#pragma once
// Turns frame start times into frame slots, so that frames the capture chain lost are seen as gaps
// in the time sequence. The first frame fixes slot 0 and each later time belongs to the nearest
// slot; a frame that lies one frame duration or more beyond the slot expected next leaves each
// skipped slot as a dropped frame.
#include <cstdint>

namespace zuna {

class AviFrameTimeline {
 public:
  static constexpr std::int64_t kMaxGapSeconds = 3600;

  AviFrameTimeline(std::uint32_t rate, std::uint32_t scale) : rate_(rate), scale_(scale) {}

  struct Placement {
    std::uint64_t missing = 0;   // slots to record as dropped before this frame
    bool discontinuity = false;  // the time jumped too far to be a gap: counting restarts here
  };

  // `nextSlot` is the number of slots recorded so far, dropped ones included.
  Placement Place(std::int64_t startTime100ns, std::uint64_t nextSlot);

 private:
  std::uint64_t SlotOf(std::uint64_t sinceOrigin) const;

  std::uint32_t rate_;
  std::uint32_t scale_;
  bool started_ = false;
  std::int64_t origin_ = 0;
  std::uint64_t originSlot_ = 0;
};

}  // namespace zuna
