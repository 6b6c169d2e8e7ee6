#pragma once
// Draws the dashed crosshair over the picture on its way to the display.
#include "video/frames/win/frame_filter.h"

namespace zuna::dshow {

class CrosshairsFilter final : public FrameFilter {
 public:
  explicit CrosshairsFilter(CommonState& state);

 private:
  HRESULT TransformFrame(IMediaSample* input, IMediaSample* output, const Frame& frame) override;
};

}  // namespace zuna::dshow
