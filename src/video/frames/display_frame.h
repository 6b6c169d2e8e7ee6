#pragma once
// The picture a window renderer draws: any frame of the display chain (YUY2 or RGB32) as 32-bit
// blue-green-red-unused pixels, top row first, rows packed without padding.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "common/foundation/status.h"
#include "video/frames/frame_media_type.h"

namespace zuna {

struct DisplayFrameFormat {
  FrameSubtype subtype = FrameSubtype::kOther;
  int width = 0;
  // As the bitmap header gives it: a positive RGB height means the bottom row comes first; YUY2
  // rows are always top row first.
  int height = 0;
};

// Largest side the renderer accepts, which keeps every size computation inside 32 bits.
inline constexpr int kMaxDisplaySide = 16384;

// Bytes of one source picture (rows padded to 4 bytes), 0 for a format that cannot be drawn.
std::size_t DisplaySourceBytes(const DisplayFrameFormat& format);

// Converts one frame. Fails (kInvalidArg) for an unknown subtype, a size out of range or data
// shorter than the picture; `pixels` is then left empty.
Status ConvertToDisplayFrame(const DisplayFrameFormat& format, std::span<const std::uint8_t> data,
                             std::vector<std::uint8_t>* pixels);

}  // namespace zuna
