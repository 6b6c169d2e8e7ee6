#pragma once
// The capture formats of a device: which of its media types are kept, their rounded frame rate,
// and how they are grouped by rate.
#include <cstddef>
#include <cstdint>

#include "capture/devices/device_catalog.h"
#include "capture/devices/video_source_info.h"
#include "common/foundation/status.h"

namespace zuna {

// A device listing more formats than this keeps the first ones only.
inline constexpr std::size_t kMaxDeviceFormats = 256;

// 10,000,000 / T rounded half up, from the average time per frame T in 100 ns units; 0 when T is
// not a positive 32-bit value. 333,667 gives 30, 400,000 gives 25.
int FrameRateFromTimePerFrame(std::int64_t averageTimePerFrame);

// The frame rate of a media type the device may be used with, or 0 when the type is refused:
// video, YUY2 or RGB32 with a video-info block, a rate (exactly 30 for an NTSC device, 25 for a
// PAL device), and at least 640x480 (a top-down picture's negative height is refused).
int AcceptedFrameRate(const MediaTypeInfo& type, int category);

// Fills the record's format groups from the first output pin that offers a kept format; `count`
// receives the number of formats placed.
Status GetVideoDeviceFormats(DeviceCatalog& catalog, VideoSourceInfo* record, int* count);

// The format the record's indices select; null when they are out of range.
const VideoFormat* CurrentFormatOf(const VideoSourceInfo& device);

}  // namespace zuna
