#pragma once
// Thins out the recorded stream for time-lapse videos: the samples it skips are dropped, and the
// ones it keeps are stamped one frame apart so the recording holds no gaps.
#include "video/frames/time_lapse_decider.h"
#include "video/frames/win/frame_filter.h"

namespace zuna::dshow {

class TimeLapseFilter final : public FrameFilter {
 public:
  explicit TimeLapseFilter(CommonState& state);

  // Main thread: the "TimeLapseType" option (true: one frame per count seconds). Latched, with the
  // count, when the filter's output connects.
  void SetIntervalMode(bool intervalMode) { intervalMode_ = intervalMode; }
  const TimeLapseSettings& LatchedSettings() const { return decider_.Settings(); }

  HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

 private:
  HRESULT TransformFrame(IMediaSample* input, IMediaSample* output, const Frame& frame) override;
  void OnGeometryLatched() override { decider_.Restart(); }

  std::atomic<bool> intervalMode_{false};
  TimeLapseDecider decider_;  // latched while stopped, used by the streaming thread
};

}  // namespace zuna::dshow
