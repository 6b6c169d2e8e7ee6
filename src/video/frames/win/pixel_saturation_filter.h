#pragma once
// Marks the pixels at or above the saturation level while the picture goes to the display.
#include "video/frames/win/frame_filter.h"

namespace zuna::dshow {

class PixelSaturationFilter final : public FrameFilter {
 public:
  explicit PixelSaturationFilter(CommonState& state);

  // Main thread, after the filter was connected: another display filter follows it in the chain.
  void SetHasDownstreamFilter(bool has) { hasDownstreamFilter_ = has; }

 private:
  HRESULT TransformFrame(IMediaSample* input, IMediaSample* output, const Frame& frame) override;

  std::atomic<bool> hasDownstreamFilter_{false};
};

}  // namespace zuna::dshow
