#include "video/frames/win/crosshairs_filter.h"

#include "video/dshow/dshow_guids.h"
#include "video/frames/crosshairs_kernel.h"

namespace zuna::dshow {

CrosshairsFilter::CrosshairsFilter(CommonState& state)
    : FrameFilter(CLSID_ZunaCrosshairsFilter, L"Crosshairs Filter", state) {}

HRESULT CrosshairsFilter::TransformFrame(IMediaSample*, IMediaSample*, const Frame& frame) {
  return DrawCrosshairs(frame.input, frame.output, frame.geometry, CrosshairsRowOrder(invertRows_), frame.subtype,
                        LoadCrosshairsSettings(state_));
}

}  // namespace zuna::dshow
