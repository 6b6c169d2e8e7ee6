#include "video/frames/win/pixel_saturation_filter.h"

#include "video/dshow/dshow_guids.h"
#include "video/frames/pixel_saturation_kernel.h"

namespace zuna::dshow {

PixelSaturationFilter::PixelSaturationFilter(CommonState& state)
    : FrameFilter(CLSID_ZunaPixelSaturationFilter, L"Pixel Saturation Filter", state) {}

HRESULT PixelSaturationFilter::TransformFrame(IMediaSample*, IMediaSample*, const Frame& frame) {
  return MarkSaturatedPixels(frame.input, frame.output, frame.geometry,
                             PixelSaturationRowOrder(invertRows_, hasDownstreamFilter_), frame.subtype,
                             LoadSaturationThreshold(state_));
}

}  // namespace zuna::dshow
