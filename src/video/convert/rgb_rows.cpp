// RGB, palettized and grey rows into 32-bit RGB.
#include <cstring>

#include "video/convert/picture_rows.h"

namespace zuna::picture_rows {
namespace {

// A 5- or 6-bit channel stretched to 8 bits, so that full scale stays full scale.
constexpr std::uint8_t Expand5(unsigned v) {
  return static_cast<std::uint8_t>((v << 3) | (v >> 2));
}
constexpr std::uint8_t Expand6(unsigned v) {
  return static_cast<std::uint8_t>((v << 2) | (v >> 4));
}

}  // namespace

void Rgb24ToRgb32(const std::uint8_t* in, int width, std::uint8_t* out) {
  for (int x = 0; x < width; ++x, in += 3, out += 4) {
    out[0] = in[0];
    out[1] = in[1];
    out[2] = in[2];
    out[3] = 0;
  }
}

void Rgb555ToRgb32(const std::uint8_t* in, int width, std::uint8_t* out) {
  for (int x = 0; x < width; ++x, in += 2, out += 4) {
    const unsigned v = in[0] | static_cast<unsigned>(in[1]) << 8;
    out[0] = Expand5(v & 0x1F);
    out[1] = Expand5((v >> 5) & 0x1F);
    out[2] = Expand5((v >> 10) & 0x1F);
    out[3] = 0;
  }
}

void Rgb565ToRgb32(const std::uint8_t* in, int width, std::uint8_t* out) {
  for (int x = 0; x < width; ++x, in += 2, out += 4) {
    const unsigned v = in[0] | static_cast<unsigned>(in[1]) << 8;
    out[0] = Expand5(v & 0x1F);
    out[1] = Expand6((v >> 5) & 0x3F);
    out[2] = Expand5(v >> 11);
    out[3] = 0;
  }
}

void Pal8ToRgb32(const std::uint8_t* in, int width, const Palette& palette, std::uint8_t* out) {
  for (int x = 0; x < width; ++x, out += 4) std::memcpy(out, palette[in[x]].data(), 4);
}

void GreyToRgb32(const std::uint8_t* in, int width, std::uint8_t* out) {
  for (int x = 0; x < width; ++x, out += 4) {
    out[0] = out[1] = out[2] = in[x];
    out[3] = 0;
  }
}

}  // namespace zuna::picture_rows
