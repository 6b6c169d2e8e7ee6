#pragma once
// The DirectShow face of the display conversion: the media type a converted stream is offered under
// (YUY2 or bottom-up RGB32 with a first-generation video header, the type the display filters and
// both renderers take) and the conversion of one frame into a sample.
#include <dshow.h>

#include <cstdint>
#include <span>

#include "video/convert/display_conversion.h"

namespace zuna::dshow {

// Fills `type` (empty on entry; the caller frees it with FreeMediaType).
HRESULT DisplayMediaType(const SourcePicture& picture, REFERENCE_TIME averageTimePerFrame, AM_MEDIA_TYPE* type);

// Converts `frame` into the sample's buffer and sets its data length. VFW_E_BUFFER_OVERFLOW for a
// sample too small, E_INVALIDARG for a frame shorter than its picture.
HRESULT ConvertIntoSample(const SourcePicture& picture, std::span<const std::uint8_t> frame, IMediaSample* sample);

}  // namespace zuna::dshow
