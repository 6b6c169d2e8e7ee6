#pragma once
// A palette change inside a palettized stream (an "NNpc" chunk): the first entry it replaces, how
// many (0 for all 256), two bytes of flags, then red, green, blue and a flag byte per entry.
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/foundation/status.h"
#include "video/convert/source_picture.h"

namespace zuna {

// The most bytes a change can use: its head and 256 entries.
inline constexpr std::size_t kMaxPaletteChangeBytes = 4 + 256 * 4;

// Replaces the entries the change names. kInvalidArg, changing nothing, for a picture that is not
// palettized, a change shorter than its entries or one reaching beyond entry 255.
Status ApplyPaletteChange(std::span<const std::uint8_t> change, SourcePicture* picture);

}  // namespace zuna
