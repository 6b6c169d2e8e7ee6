#include "video/convert/palette_change.h"

namespace zuna {

Status ApplyPaletteChange(std::span<const std::uint8_t> change, SourcePicture* picture) {
  if (picture == nullptr || picture->layout != PictureLayout::kPal8 || change.size() < 4) return kInvalidArg;
  const std::size_t first = change[0];
  const std::size_t count = change[1] == 0 ? 256 : change[1];
  if (first + count > 256 || change.size() < 4 + count * 4) return kInvalidArg;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* entry = &change[4 + i * 4];
    picture->palette[first + i] = {entry[2], entry[1], entry[0], 0};  // stored red first, shown blue first
  }
  return kOk;
}

}  // namespace zuna
