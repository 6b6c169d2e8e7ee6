#pragma once
// Turns a frame of another writer's layout into what the display chain takes: YUY2 where that loses
// nothing (YUV of even width; 4:2:0 chroma serves both rows of YUY2 it covers), else 32-bit RGB
// (blue, green, red, 0) with bottom-up rows as every DIB has them.
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/foundation/status.h"
#include "video/convert/source_picture.h"

namespace zuna {

enum class DisplayLayout { kRgb32, kYuy2 };

DisplayLayout DisplayLayoutOf(const SourcePicture& picture);
// Bytes of one converted frame: rows of 4 * width (RGB32) or 2 * width (YUY2) bytes.
std::size_t DisplayBytes(const SourcePicture& picture);

// Converts one frame into `out`. kInvalidArg, writing nothing, when the frame is shorter than its
// layout needs or `out` shorter than DisplayBytes; bytes beyond either are left alone.
Status ConvertToDisplay(const SourcePicture& picture, std::span<const std::uint8_t> frame, std::span<std::uint8_t> out);

}  // namespace zuna
