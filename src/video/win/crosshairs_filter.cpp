#include "video/win/crosshairs_filter.h"

#include "video/crosshairs_kernel.h"
#include "video/win/dshow_guids.h"

namespace zuna::dshow {

CrosshairsFilter::CrosshairsFilter(CommonState& state)
    : FrameFilter(CLSID_ZunaCrosshairsFilter, L"Crosshairs Filter", state) {}

HRESULT CrosshairsFilter::TransformFrame(IMediaSample*, IMediaSample*, const Frame& frame) {
  return DrawCrosshairs(frame.input, frame.output, frame.geometry, CrosshairsRowOrder(invertRows_), frame.subtype,
                        LoadCrosshairsSettings(state_));
}

}  // namespace zuna::dshow
