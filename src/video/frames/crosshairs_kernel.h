#pragma once
// The crosshairs filter's picture work: a dashed grey cross with an open centre, drawn into the
// output while the frame is copied. The input is only read.
#include <atomic>
#include <cstdint>
#include <span>

#include "common/foundation/common_state.h"
#include "common/foundation/status.h"
#include "video/frames/frame_geometry.h"
#include "video/frames/frame_media_type.h"

namespace zuna {

struct CrosshairsSettings {
  int row = 0;        // centre row as the crosshairs window keeps it; buffer row rows - row carries the line
  int column = 0;     // centre column in pixels
  int intensity = 0;  // its low byte is the grey level
};

// Read once per sample: the window moves the cross and changes its level from the main thread.
inline CrosshairsSettings LoadCrosshairsSettings(const CommonState& state) {
  return {state.crosshairRow.load(std::memory_order_relaxed), state.crosshairColumn.load(std::memory_order_relaxed),
          state.crosshairIntensity.load(std::memory_order_relaxed)};
}

// Copies the rows as CopyFrameRows does and draws the cross into the copy. YUY2 and RGB32 only;
// other subtypes are copied unchanged. Nothing is drawn outside a row: a vertical line at the last
// column is cut at the row's end.
Status DrawCrosshairs(std::span<const std::uint8_t> input, std::span<std::uint8_t> output,
                      const FrameGeometry& geometry, RowOrder order, FrameSubtype subtype,
                      const CrosshairsSettings& settings);

}  // namespace zuna
