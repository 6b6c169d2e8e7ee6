#pragma once
// A click on the video turned into a star: the frame shown is read from the file and the star
// nearest the click is centred, so that the observer need not hit its brightest pixel.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "lightcurve/photometry/star_measure.h"

namespace zuna {

// How far from the click a star may stand, pixels.
inline constexpr int kStarPickReach = 10;

// The star within reach of `click` (pixels of the picture as shown) in frame `frame` of the file.
// Nothing, with one line saying why, when the frame cannot be read (a compressed stream names its
// four-character code; a dropped frame) or no star stands out there.
std::optional<StarFix> PickStar(const std::filesystem::path& file, std::uint32_t frame, PlanePoint click,
                                std::string* problem);

}  // namespace zuna
