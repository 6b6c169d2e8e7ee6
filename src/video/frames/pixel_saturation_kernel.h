#pragma once
// The pixel saturation filter's picture work: every 4-byte group whose brightness reaches the level
// is written in a fixed colour while the frame is copied to the output. The input is only read, so
// the marking can never reach a recording that shares the input's memory.
#include <atomic>
#include <cstdint>
#include <span>

#include "common/foundation/common_state.h"
#include "common/foundation/status.h"
#include "video/frames/frame_geometry.h"
#include "video/frames/frame_media_type.h"

namespace zuna {

// The marks: light grey in YUY2 (Y0 U Y1 V), magenta in RGB32 (B G R X).
inline constexpr std::uint8_t kSaturationMarkYuy2[4] = {225, 128, 225, 128};
inline constexpr std::uint8_t kSaturationMarkRgb32[4] = {225, 0, 225, 128};

// Read once per sample: the window may change the level while a frame is being processed.
inline int LoadSaturationThreshold(const CommonState& state) {
  return state.saturationLevel.load(std::memory_order_relaxed);
}

// Copies the rows as CopyFrameRows does and marks on the way. A threshold of 0 or below, or a
// subtype other than YUY2 and RGB32, copies unmarked. Otherwise the threshold's low byte is the
// level, and a group is marked when a luma byte (YUY2) or a colour byte (RGB32) is at or above it.
// Groups are counted from the first byte of `input`, which holds the sample's data.
Status MarkSaturatedPixels(std::span<const std::uint8_t> input, std::span<std::uint8_t> output,
                           const FrameGeometry& geometry, RowOrder order, FrameSubtype subtype, int threshold);

}  // namespace zuna
