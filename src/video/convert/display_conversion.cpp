#include "video/convert/display_conversion.h"

#include "video/convert/picture_rows.h"

namespace zuna {
namespace {

using namespace picture_rows;

// Where each source row and its planes start.
struct SourceRows {
  std::size_t stride = 0;        // of a packed row or the luma plane
  std::size_t chromaStride = 0;  // planar layouts
  std::size_t uPlane = 0, vPlane = 0;
};

SourceRows RowsOf(const SourcePicture& p, std::size_t frameBytes) {
  const auto w = static_cast<std::size_t>(p.width);
  const std::size_t cw = (w + 1) / 2;
  const std::size_t lumaBytes = w * static_cast<std::size_t>(p.rows);
  const std::size_t chromaBytes = cw * ((static_cast<std::size_t>(p.rows) + 1) / 2);
  switch (p.layout) {
    case PictureLayout::kRgb24:
      return {(24 * w + 31) / 32 * 4};
    case PictureLayout::kRgb555:
    case PictureLayout::kRgb565:
    case PictureLayout::kUyvy:
    case PictureLayout::kYvyu:
      return {(16 * w + 31) / 32 * 4};
    case PictureLayout::kPal8:
      return {(8 * w + 31) / 32 * 4};
    case PictureLayout::kGrey:
      // Grey rows are packed in most files; some writers pad them as DIB rows are.
      return {frameBytes >= PaddedGreyBytes(p) ? (w + 3) / 4 * 4 : w};
    case PictureLayout::kI420:
      return {w, cw, lumaBytes, lumaBytes + chromaBytes};
    case PictureLayout::kYv12:
      return {w, cw, lumaBytes + chromaBytes, lumaBytes};
    case PictureLayout::kNv12:
      return {w, 2 * cw, lumaBytes, lumaBytes + 1};
  }
  return {};
}

void ConvertRow(const SourcePicture& p, const SourceRows& rows, const std::uint8_t* frame, int row, std::uint8_t* out) {
  const std::uint8_t* in = frame + static_cast<std::size_t>(row) * rows.stride;
  const bool yuy2 = DisplayLayoutOf(p) == DisplayLayout::kYuy2;
  switch (p.layout) {
    case PictureLayout::kRgb24:
      return Rgb24ToRgb32(in, p.width, out);
    case PictureLayout::kRgb555:
      return Rgb555ToRgb32(in, p.width, out);
    case PictureLayout::kRgb565:
      return Rgb565ToRgb32(in, p.width, out);
    case PictureLayout::kPal8:
      return Pal8ToRgb32(in, p.width, p.palette, out);
    case PictureLayout::kGrey:
      return GreyToRgb32(in, p.width, out);
    case PictureLayout::kUyvy:
    case PictureLayout::kYvyu: {
      const PackedYuv order = p.layout == PictureLayout::kUyvy ? kUyvyOrder : kYvyuOrder;
      return yuy2 ? PackedToYuy2(in, p.width, order, out) : PackedToRgb32(in, p.width, order, out);
    }
    case PictureLayout::kI420:
    case PictureLayout::kYv12:
    case PictureLayout::kNv12: {
      const std::size_t chroma = static_cast<std::size_t>(row / 2) * rows.chromaStride;
      const int step = p.layout == PictureLayout::kNv12 ? 2 : 1;
      const std::uint8_t* u = frame + rows.uPlane + chroma;
      const std::uint8_t* v = frame + rows.vPlane + chroma;
      return yuy2 ? PlanarToYuy2(in, u, v, step, p.width, out) : PlanarToRgb32(in, u, v, step, p.width, out);
    }
  }
}

}  // namespace

// YUV of even width keeps its samples: 4:2:0 chroma is shared by two rows of YUY2 instead of two
// rows of the source. Odd widths have no YUY2 layout every renderer takes.
DisplayLayout DisplayLayoutOf(const SourcePicture& p) {
  switch (p.layout) {
    case PictureLayout::kUyvy:
    case PictureLayout::kYvyu:
    case PictureLayout::kI420:
    case PictureLayout::kYv12:
    case PictureLayout::kNv12:
      return p.width % 2 == 0 ? DisplayLayout::kYuy2 : DisplayLayout::kRgb32;
    default:
      return DisplayLayout::kRgb32;
  }
}

std::size_t DisplayBytes(const SourcePicture& p) {
  const std::size_t bytesPerPixel = DisplayLayoutOf(p) == DisplayLayout::kYuy2 ? 2 : 4;
  return bytesPerPixel * static_cast<std::size_t>(p.width) * static_cast<std::size_t>(p.rows);
}

Status ConvertToDisplay(const SourcePicture& p, std::span<const std::uint8_t> frame, std::span<std::uint8_t> out) {
  if (p.width <= 0 || p.width > kMaxPictureSide || p.rows <= 0 || p.rows > kMaxPictureSide) return kInvalidArg;
  if (frame.size() < SourcePictureBytes(p) || out.size() < DisplayBytes(p)) return kInvalidArg;
  const SourceRows rows = RowsOf(p, frame.size());
  const bool yuy2 = DisplayLayoutOf(p) == DisplayLayout::kYuy2;
  const std::size_t outStride = static_cast<std::size_t>(p.width) * (yuy2 ? 2 : 4);
  for (int row = 0; row < p.rows; ++row) {
    // RGB32 goes out bottom-up, YUY2 top-down, as the display chain takes them.
    const int sourceRow = p.bottomUp ? p.rows - 1 - row : row;
    const int outRow = yuy2 ? row : p.rows - 1 - row;
    ConvertRow(p, rows, frame.data(), sourceRow, out.data() + static_cast<std::size_t>(outRow) * outStride);
  }
  return kOk;
}

}  // namespace zuna
