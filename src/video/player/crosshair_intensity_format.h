#pragma once
// The picture format at the renderer's input as the crosshair intensity range sees it.
#include "common/display_tools/crosshairs_controller.h"
#include "video/player/media_graph_types.h"

namespace zuna {

// ARGB32: {773C9AC0-3274-11D0-B724-00AA006C1A01}.
inline constexpr MediaGuid kSubtypeArgb32 = {
    0x773C9AC0, 0x3274, 0x11D0, {0xB7, 0x24, 0x00, 0xAA, 0x00, 0x6C, 0x1A, 0x01}};

inline IntensityFormat CrosshairIntensityFormat(const MediaGuid& subtype) {
  if (subtype == kSubtypeYuy2) return IntensityFormat::kYuy2;
  if (subtype == kSubtypeRgb24 || subtype == kSubtypeRgb32 || subtype == kSubtypeArgb32) return IntensityFormat::kRgb;
  return IntensityFormat::kOther;
}

}  // namespace zuna
