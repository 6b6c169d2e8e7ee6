#pragma once
// One row of each source layout into one row of the display layout. The caller has checked that the
// source rows hold `width` pixels and the output row 4 * width (RGB32) or 2 * width (YUY2) bytes.
#include <array>
#include <cstdint>

namespace zuna::picture_rows {

using Palette = std::array<std::array<std::uint8_t, 4>, 256>;

void Rgb24ToRgb32(const std::uint8_t* in, int width, std::uint8_t* out);
void Rgb555ToRgb32(const std::uint8_t* in, int width, std::uint8_t* out);
void Rgb565ToRgb32(const std::uint8_t* in, int width, std::uint8_t* out);
void Pal8ToRgb32(const std::uint8_t* in, int width, const Palette& palette, std::uint8_t* out);
void GreyToRgb32(const std::uint8_t* in, int width, std::uint8_t* out);

// Packed 4:2:2, four bytes per pixel pair; the offsets of the first luma, U, second luma and V.
struct PackedYuv {
  int y0, u, y1, v;
};
inline constexpr PackedYuv kUyvyOrder{1, 0, 3, 2};
inline constexpr PackedYuv kYvyuOrder{0, 3, 2, 1};

// Even widths only: the same samples in YUY2 order.
void PackedToYuy2(const std::uint8_t* in, int width, PackedYuv order, std::uint8_t* out);
void PackedToRgb32(const std::uint8_t* in, int width, PackedYuv order, std::uint8_t* out);
// A row of planar 4:2:0: luma, and the chroma row it shares with its neighbour; `step` is 1 for
// separate planes and 2 for interleaved chroma (NV12, U first). YUY2 takes even widths only.
void PlanarToYuy2(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int step, int width,
                  std::uint8_t* out);
void PlanarToRgb32(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int step, int width,
                   std::uint8_t* out);

}  // namespace zuna::picture_rows
