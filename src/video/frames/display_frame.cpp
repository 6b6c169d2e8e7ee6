#include "video/frames/display_frame.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace zuna {
namespace {

std::uint8_t Clamp(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// ITU-R BT.601 with studio range (Y 16..235), the coding of analog frame grabbers.
void YuvToBgrx(int y, int u, int v, std::uint8_t* out) {
  const int c = 298 * (y - 16);
  const int d = u - 128;
  const int e = v - 128;
  out[0] = Clamp((c + 516 * d + 128) >> 8);
  out[1] = Clamp((c - 100 * d - 208 * e + 128) >> 8);
  out[2] = Clamp((c + 409 * e + 128) >> 8);
  out[3] = 0;
}

std::size_t SourceStride(const DisplayFrameFormat& format) {
  const std::size_t bits = format.subtype == FrameSubtype::kYuy2 ? 16 : 32;
  return ((bits * static_cast<std::size_t>(format.width) + 31) / 32) * 4;
}

void ConvertYuy2Row(const std::uint8_t* in, int width, std::uint8_t* out) {
  for (int x = 0; x + 1 < width; x += 2, in += 4, out += 8) {
    YuvToBgrx(in[0], in[1], in[3], out);
    YuvToBgrx(in[2], in[1], in[3], out + 4);
  }
  // An odd width leaves half a pixel pair: its luma still has the pair's colour.
  if (width % 2 != 0) YuvToBgrx(in[0], in[1], in[3], out);
}

}  // namespace

std::size_t DisplaySourceBytes(const DisplayFrameFormat& format) {
  if (format.subtype == FrameSubtype::kOther) return 0;
  const int rows = std::abs(format.height);
  if (format.width <= 0 || format.width > kMaxDisplaySide || rows == 0 || rows > kMaxDisplaySide) return 0;
  return SourceStride(format) * static_cast<std::size_t>(rows);
}

Status ConvertToDisplayFrame(const DisplayFrameFormat& format, std::span<const std::uint8_t> data,
                             std::vector<std::uint8_t>* pixels) {
  if (pixels == nullptr) return kInvalidArg;
  pixels->clear();
  const std::size_t needed = DisplaySourceBytes(format);
  if (needed == 0 || data.size() < needed) return kInvalidArg;
  const std::size_t rows = static_cast<std::size_t>(std::abs(format.height));
  const std::size_t outStride = static_cast<std::size_t>(format.width) * 4;
  const std::size_t inStride = SourceStride(format);
  pixels->resize(outStride * rows);
  const bool bottomUp = format.subtype == FrameSubtype::kRgb32 && format.height > 0;
  for (std::size_t row = 0; row < rows; ++row) {
    const std::uint8_t* in = data.data() + (bottomUp ? rows - 1 - row : row) * inStride;
    std::uint8_t* out = pixels->data() + row * outStride;
    if (format.subtype == FrameSubtype::kYuy2) {
      ConvertYuy2Row(in, format.width, out);
    } else {
      std::memcpy(out, in, outStride);
    }
  }
  return kOk;
}

}  // namespace zuna
