#include "lightcurve/photometry/frame_luma.h"

#include <cstdlib>

#include "video/convert/display_conversion.h"
#include "video/convert/palette_change.h"

namespace zuna {
namespace {

constexpr std::uint32_t kYuy2 = 0x32595559;  // "YUY2"

std::string FourCcName(std::uint32_t code) {
  std::string text;
  for (int i = 0; i < 4; ++i) {
    const char c = static_cast<char>((code >> (8 * i)) & 0xFF);
    text += c >= 0x20 && c < 0x7F ? c : '?';
  }
  return text;
}

}  // namespace

LumaPlane::LumaPlane(const std::uint8_t* data, std::size_t stride, Kind kind, int width, int frameRows, bool bottomUp,
                     int parity)
    : data_(data),
      stride_(stride),
      kind_(kind),
      width_(width),
      // A field holds the rows of its parity; the last odd field row of an odd count does not exist.
      height_(parity < 0 ? frameRows : (frameRows - parity + 1) / 2),
      frameRows_(frameRows),
      bottomUp_(bottomUp),
      parity_(parity) {}

Status FrameLuma::Prepare(const AviStreamFormat& format, std::string* problem) {
  *this = FrameLuma();
  const Status described = DescribeSourcePicture(format.bitmapInfo, &picture_);
  const bool rgb = format.compression == 0 || format.compression == 3;
  if (Failed(described) || format.width <= 0 || format.height == 0) {
    if (!format.Uncompressed()) {
      *problem =
          "the video is compressed (" + FourCcName(format.compression) + "); only uncompressed video can be measured";
    } else {
      *problem = "the video's picture format (" +
                 (rgb ? std::to_string(format.bitCount) + "-bit RGB" : FourCcName(format.compression)) +
                 ") cannot be measured";
    }
    return kFail;
  }
  width_ = format.width;
  rows_ = std::abs(format.height);
  if (described == kFalse) {
    native_ = true;
    if (format.compression == kYuy2) {
      kind_ = LumaPlane::Kind::kYuy2;
      stride_ = 2 * static_cast<std::size_t>(width_);
    } else {
      kind_ = LumaPlane::Kind::kBgrx;
      bottomUp_ = format.height > 0;
      stride_ = 4 * static_cast<std::size_t>(width_);
    }
    frameBytes_ = stride_ * static_cast<std::size_t>(rows_);
    return kOk;
  }
  // Converted frames: YUY2 top-down, or 32-bit RGB bottom-up as every DIB.
  const bool yuy2 = DisplayLayoutOf(picture_) == DisplayLayout::kYuy2;
  kind_ = yuy2 ? LumaPlane::Kind::kYuy2 : LumaPlane::Kind::kBgrx;
  bottomUp_ = !yuy2;
  stride_ = (yuy2 ? 2 : 4) * static_cast<std::size_t>(width_);
  converted_.resize(DisplayBytes(picture_));
  return kOk;
}

Status FrameLuma::ApplyPaletteChange(std::span<const std::uint8_t> change) {
  if (native_) return kInvalidArg;
  return zuna::ApplyPaletteChange(change, &picture_);
}

Status FrameLuma::Load(std::span<const std::uint8_t> frame) {
  data_ = nullptr;
  if (native_) {
    if (frame.size() < frameBytes_) return kInvalidArg;
    data_ = frame.data();
    return kOk;
  }
  const Status converted = ConvertToDisplay(picture_, frame, converted_);
  if (Failed(converted)) return converted;
  data_ = converted_.data();
  return kOk;
}

LumaPlane FrameLuma::Plane(int parity) const {
  return LumaPlane(data_, stride_, kind_, width_, rows_, bottomUp_, parity);
}

}  // namespace zuna
