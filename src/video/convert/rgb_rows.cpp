// RGB, palettized and grey rows into 32-bit RGB. Whole words in and out, so that the compiler turns
// the loops into vector code; the words are little-endian (blue in the low byte) as on every
// platform this runs on.
#include <cstring>

#include "video/convert/picture_rows.h"

namespace zuna::picture_rows {
namespace {

std::uint32_t Load16(const std::uint8_t* in) {
  std::uint16_t v;
  std::memcpy(&v, in, 2);
  return v;
}

void Store32(std::uint32_t v, std::uint8_t* out) {
  std::memcpy(out, &v, 4);
}

// A 5- or 6-bit channel stretched to 8 bits, so that full scale stays full scale.
std::uint32_t Expand5(std::uint32_t v) {
  return (v << 3) | (v >> 2);
}
std::uint32_t Expand6(std::uint32_t v) {
  return (v << 2) | (v >> 4);
}

}  // namespace

void Rgb24ToRgb32(const std::uint8_t* in, int width, std::uint8_t* out) {
  int x = 0;
  // Four pixels are three words in and four out.
  for (; x + 4 <= width; x += 4) {
    std::uint32_t w[3];
    std::memcpy(w, in + 3 * x, 12);
    Store32(w[0] & 0xFFFFFF, out + 4 * x);
    Store32((w[0] >> 24 | w[1] << 8) & 0xFFFFFF, out + 4 * x + 4);
    Store32((w[1] >> 16 | w[2] << 16) & 0xFFFFFF, out + 4 * x + 8);
    Store32(w[2] >> 8, out + 4 * x + 12);
  }
  for (; x < width; ++x) {
    const std::uint8_t* p = in + 3 * x;
    Store32(static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                static_cast<std::uint32_t>(p[2]) << 16,
            out + 4 * x);
  }
}

void Rgb555ToRgb32(const std::uint8_t* in, int width, std::uint8_t* out) {
  for (int x = 0; x < width; ++x) {
    const std::uint32_t v = Load16(in + 2 * x);
    Store32(Expand5(v & 0x1F) | Expand5((v >> 5) & 0x1F) << 8 | Expand5((v >> 10) & 0x1F) << 16, out + 4 * x);
  }
}

void Rgb565ToRgb32(const std::uint8_t* in, int width, std::uint8_t* out) {
  for (int x = 0; x < width; ++x) {
    const std::uint32_t v = Load16(in + 2 * x);
    Store32(Expand5(v & 0x1F) | Expand6((v >> 5) & 0x3F) << 8 | Expand5(v >> 11) << 16, out + 4 * x);
  }
}

void Pal8ToRgb32(const std::uint8_t* in, int width, const Palette& palette, std::uint8_t* out) {
  for (int x = 0; x < width; ++x) std::memcpy(out + 4 * x, palette[in[x]].data(), 4);
}

void GreyToRgb32(const std::uint8_t* in, int width, std::uint8_t* out) {
  for (int x = 0; x < width; ++x) Store32(in[x] * 0x010101u, out + 4 * x);
}

}  // namespace zuna::picture_rows
