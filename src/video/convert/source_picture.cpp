#include "video/convert/source_picture.h"

#include <algorithm>
#include <optional>

namespace zuna {
namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::size_t kHeaderBytes = 40;

constexpr std::uint32_t Code(const char (&c)[5]) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(c[0])) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(c[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(c[2])) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(c[3])) << 24;
}

std::uint32_t Le32(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
         static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::optional<PictureLayout> YuvLayout(std::uint32_t code) {
  if (code == Code("Y800") || code == Code("Y8  ") || code == Code("GREY")) return PictureLayout::kGrey;
  if (code == Code("UYVY")) return PictureLayout::kUyvy;
  if (code == Code("YVYU")) return PictureLayout::kYvyu;
  if (code == Code("I420") || code == Code("IYUV")) return PictureLayout::kI420;
  if (code == Code("YV12")) return PictureLayout::kYv12;
  if (code == Code("NV12")) return PictureLayout::kNv12;
  return std::nullopt;
}

// 16-bit bit fields: only the two layouts every display adapter knows.
std::optional<PictureLayout> MaskLayout(std::span<const std::uint8_t> info, std::size_t headerBytes) {
  // The masks follow a plain 40-byte header, and sit at the same place inside the longer ones.
  if (info.size() < std::max<std::size_t>(headerBytes, kHeaderBytes + 12)) return std::nullopt;
  const std::uint32_t red = Le32(info, 40), green = Le32(info, 44), blue = Le32(info, 48);
  if (red == 0x7C00 && green == 0x03E0 && blue == 0x001F) return PictureLayout::kRgb555;
  if (red == 0xF800 && green == 0x07E0 && blue == 0x001F) return PictureLayout::kRgb565;
  return std::nullopt;
}

std::optional<PictureLayout> RgbLayout(std::span<const std::uint8_t> info, std::size_t headerBytes,
                                       std::uint32_t compression, unsigned bitCount) {
  if (compression == kBiBitfields) {
    return bitCount == 16 ? MaskLayout(info, headerBytes) : std::nullopt;
  }
  if (bitCount == 24) return PictureLayout::kRgb24;
  if (bitCount == 16) return PictureLayout::kRgb555;
  if (bitCount == 8) return PictureLayout::kPal8;
  return std::nullopt;
}

// The palette follows the header (and the masks of a plain header); a file may give fewer entries
// than it declares, and the rest stay black.
bool ReadPalette(std::span<const std::uint8_t> info, std::size_t headerBytes, SourcePicture& picture) {
  const std::uint32_t declared = Le32(info, 32);
  const std::size_t wanted = declared == 0 || declared > 256 ? 256 : declared;
  if (info.size() <= headerBytes) return false;
  const std::size_t present = std::min(wanted, (info.size() - headerBytes) / 4);
  if (present == 0) return false;
  for (std::size_t i = 0; i < present; ++i) {
    const std::size_t at = headerBytes + i * 4;
    picture.palette[i] = {info[at], info[at + 1], info[at + 2], 0};
  }
  return true;
}

}  // namespace

Status DescribeSourcePicture(std::span<const std::uint8_t> info, SourcePicture* picture) {
  if (picture == nullptr || info.size() < kHeaderBytes) return kFail;
  const std::uint32_t declaredHeader = Le32(info, 0);
  if (declaredHeader < kHeaderBytes) return kFail;
  // A header longer than the chunk is read as far as the chunk goes.
  const std::size_t headerBytes = std::min<std::size_t>(declaredHeader, info.size());
  const auto width = static_cast<std::int32_t>(Le32(info, 4));
  const auto height = static_cast<std::int32_t>(Le32(info, 8));
  const unsigned bitCount = static_cast<unsigned>(info[14]) | static_cast<unsigned>(info[15]) << 8;
  const std::uint32_t compression = Le32(info, 16);
  if (width <= 0 || width > kMaxPictureSide || height == 0 || height < -kMaxPictureSide || height > kMaxPictureSide) {
    return kFail;
  }
  const bool rgb = compression == kBiRgb || compression == kBiBitfields;
  if ((rgb && bitCount == 32) || compression == Code("YUY2")) return kFalse;  // the display chain's own

  const std::optional<PictureLayout> layout =
      rgb ? RgbLayout(info, headerBytes, compression, bitCount) : YuvLayout(compression);
  if (!layout) return kFail;
  SourcePicture result;
  result.layout = *layout;
  result.compression = compression;
  result.width = width;
  result.rows = height < 0 ? -height : height;
  result.bottomUp = rgb && height > 0;
  if (result.layout == PictureLayout::kPal8) {
    if (!ReadPalette(info, headerBytes, result)) return kFail;
  }
  *picture = result;
  return kOk;
}

namespace {

std::size_t DibStride(std::size_t bits, std::size_t width) {
  return (bits * width + 31) / 32 * 4;
}

}  // namespace

std::size_t SourcePictureBytes(const SourcePicture& p) {
  const auto w = static_cast<std::size_t>(p.width);
  const auto h = static_cast<std::size_t>(p.rows);
  const std::size_t cw = (w + 1) / 2, ch = (h + 1) / 2;
  switch (p.layout) {
    case PictureLayout::kRgb24:
      return DibStride(24, w) * h;
    case PictureLayout::kRgb555:
    case PictureLayout::kRgb565:
    case PictureLayout::kUyvy:
    case PictureLayout::kYvyu:
      return DibStride(16, w) * h;
    case PictureLayout::kPal8:
      return DibStride(8, w) * h;
    case PictureLayout::kGrey:
      return w * h;
    case PictureLayout::kI420:
    case PictureLayout::kYv12:
    case PictureLayout::kNv12:
      return w * h + 2 * cw * ch;
  }
  return 0;
}

std::size_t PaddedGreyBytes(const SourcePicture& p) {
  return DibStride(8, static_cast<std::size_t>(p.width)) * static_cast<std::size_t>(p.rows);
}

}  // namespace zuna
