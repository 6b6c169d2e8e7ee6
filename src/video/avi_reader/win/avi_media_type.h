#pragma once
// The media types the AVI writer records: uncompressed YUY2, bottom-up RGB32, or a codec's frames,
// each with a first-generation video header and a frame rate.
#include <dshow.h>

#include <cstdint>

#include "video/avi_writer/avi_video_format.h"

namespace zuna::dshow {

struct FrameRate {
  std::uint32_t rate = 0;
  std::uint32_t scale = 0;
};

// The exact rate behind an average frame time in 100 ns units, which is rounded: 333,667 is
// 30000/1001, 400,000 is 25/1, 333,333 is 30/1. Zero for a time that is not positive.
FrameRate FrameRateOf(std::int64_t averageTimePerFrame);

// S_OK and the writer's format when the writer can record the type; VFW_E_TYPE_NOT_ACCEPTED otherwise.
HRESULT AviFormatFromMediaType(const AM_MEDIA_TYPE& type, AviVideoFormat* format);

}  // namespace zuna::dshow
