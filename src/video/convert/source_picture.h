#pragma once
// The uncompressed picture formats that other capture programs and cameras write, read from a stream's
// bitmap header (with its bit masks and palette), and the bytes one frame of each occupies.
//
// Row order: RGB and palettized frames are bottom-up unless the header's height is negative; the YUV
// and grey layouts are always top-down. RGB rows are padded to 4 bytes; planar YUV rows are packed,
// the chroma planes half as wide and half as high, rounded up.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "common/foundation/status.h"

namespace zuna {

enum class PictureLayout { kRgb24, kRgb555, kRgb565, kPal8, kGrey, kUyvy, kYvyu, kI420, kYv12, kNv12 };

struct SourcePicture {
  PictureLayout layout = PictureLayout::kRgb24;
  std::uint32_t compression = 0;  // as the header has it: 0 RGB, 3 RGB bit fields, else a four-character code
  int width = 0;
  int rows = 0;
  bool bottomUp = false;
  // Palettized pictures: blue, green, red, 0; entries the file does not give are black.
  std::array<std::array<std::uint8_t, 4>, 256> palette{};
};

// Largest side converted: keeps every size inside 32 bits and the largest frame below 1 GiB.
inline constexpr int kMaxPictureSide = 16384;

// kOk and the picture for a layout converted here; kFalse for one the display chain takes as it is
// (YUY2, 32-bit RGB); kFail for anything else: compressed, an unusual depth or mask, a broken header.
Status DescribeSourcePicture(std::span<const std::uint8_t> bitmapInfo, SourcePicture* picture);

// The bytes a frame must hold. Grey frames may also come with rows padded to 4 bytes.
std::size_t SourcePictureBytes(const SourcePicture& picture);
// The four-byte row padding of a grey frame at least that long.
std::size_t PaddedGreyBytes(const SourcePicture& picture);

}  // namespace zuna
