// The conversion of another writer's frames: the first byte chooses how much of the rest is the
// stream's bitmap header (with masks and palette), the remainder is the frame (and a palette change). Whatever they
// declare, the conversion reads nothing past the frame and writes nothing past its picture.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "video/convert/display_conversion.h"
#include "video/convert/palette_change.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // 40 to 1104 bytes of header: a plain header, masks, a whole palette.
  const std::size_t infoBytes = std::min<std::size_t>(40 + static_cast<std::size_t>(data[0]) * 4, size - 1);
  const std::span<const std::uint8_t> info(data + 1, infoBytes);
  const std::span<const std::uint8_t> frame(data + 1 + infoBytes, size - 1 - infoBytes);
  zuna::SourcePicture picture;
  if (zuna::DescribeSourcePicture(info, &picture) != zuna::kOk) return 0;
  // The frame's bytes also serve as a palette change, which may only touch a palettized picture.
  const zuna::SourcePicture before = picture;
  if (zuna::Succeeded(zuna::ApplyPaletteChange(frame, &picture)) && picture.layout != zuna::PictureLayout::kPal8) {
    std::abort();
  }
  if (picture.layout != zuna::PictureLayout::kPal8 && picture.palette != before.palette) std::abort();
  const std::size_t outBytes = zuna::DisplayBytes(picture);
  if (outBytes > (16u << 20)) return 0;  // large pictures cost time, not coverage
  // Exactly the picture's size, so that any write beyond it is caught.
  std::vector<std::uint8_t> out(outBytes);
  const zuna::Status status = zuna::ConvertToDisplay(picture, frame, out);
  if (zuna::Succeeded(status) != (frame.size() >= zuna::SourcePictureBytes(picture))) std::abort();
  return 0;
}
