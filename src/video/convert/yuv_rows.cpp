// YUV rows into YUY2 or 32-bit RGB. The YUY2 loops move whole words, which the compiler turns into
// vector code; the RGB loops, taken only for odd widths, do the colour arithmetic per pixel pair.
#include <algorithm>
#include <array>
#include <cstring>

#include "video/convert/picture_rows.h"

namespace zuna::picture_rows {
namespace {

constexpr int kChunk = 256;  // pixels converted per pass: the chroma of a chunk sits on the stack

int Clamp(int value) {
  return std::min(std::max(value, 0), 255);
}

// ITU-R BT.601 with studio range (Y 16..235), as the display chain draws YUY2, so a file looks the
// same whichever YUV layout it was written in.
std::uint32_t Bgrx(int y, int blueChroma, int greenChroma, int redChroma) {
  const int c = 298 * (y - 16) + 128;
  return static_cast<std::uint32_t>(Clamp((c + blueChroma) >> 8)) |
         static_cast<std::uint32_t>(Clamp((c + greenChroma) >> 8)) << 8 |
         static_cast<std::uint32_t>(Clamp((c + redChroma) >> 8)) << 16;
}

// Pixel pairs sharing one chroma sample: luma y[2i], y[2i + 1], chroma u[i], v[i].
void PairsToBgrx(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int pairs, std::uint8_t* out) {
  std::array<std::uint32_t, kChunk> words;
  for (int i = 0; i < pairs; ++i) {
    const int d = u[i] - 128;
    const int e = v[i] - 128;
    const int blue = 516 * d, green = -100 * d - 208 * e, red = 409 * e;
    words[static_cast<std::size_t>(2 * i)] = Bgrx(y[2 * i], blue, green, red);
    words[static_cast<std::size_t>(2 * i + 1)] = Bgrx(y[2 * i + 1], blue, green, red);
  }
  // Little-endian words: blue, green, red, 0 in memory on every platform this runs on.
  std::memcpy(out, words.data(), static_cast<std::size_t>(pairs) * 8);
}

}  // namespace

void PackedToYuy2(const std::uint8_t* in, int width, PackedYuv o, std::uint8_t* out) {
  const int pairs = width / 2;
  const bool uyvy = o.y0 == kUyvyOrder.y0;
  for (int i = 0; i < pairs; ++i) {
    std::uint32_t w;
    std::memcpy(&w, in + 4 * i, 4);
    // UYVY swaps the bytes of each half; YVYU swaps the two chroma bytes.
    w = uyvy ? ((w & 0x00FF00FFu) << 8) | ((w >> 8) & 0x00FF00FFu)
             : (w & 0x00FF00FFu) | ((w & 0x0000FF00u) << 16) | ((w >> 16) & 0x0000FF00u);
    std::memcpy(out + 4 * i, &w, 4);
  }
}

void PlanarToYuy2(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int step, int width,
                  std::uint8_t* out) {
  if (step == 2) {
    // Interleaved chroma: one 16-bit word, U low, V high, per pixel pair.
    for (int i = 0; i < width / 2; ++i) {
      std::uint16_t uv;
      std::memcpy(&uv, u + 2 * i, 2);
      const std::uint32_t pair = static_cast<std::uint32_t>(y[2 * i]) | static_cast<std::uint32_t>(uv & 0xFF) << 8 |
                                 static_cast<std::uint32_t>(y[2 * i + 1]) << 16 |
                                 static_cast<std::uint32_t>(uv >> 8) << 24;
      std::memcpy(out + 4 * i, &pair, 4);
    }
    return;
  }
  for (int i = 0; i < width / 2; ++i) {
    const std::uint32_t pair = static_cast<std::uint32_t>(y[2 * i]) | static_cast<std::uint32_t>(u[i * step]) << 8 |
                               static_cast<std::uint32_t>(y[2 * i + 1]) << 16 |
                               static_cast<std::uint32_t>(v[i * step]) << 24;
    std::memcpy(out + 4 * i, &pair, 4);
  }
}

void PackedToRgb32(const std::uint8_t* in, int width, PackedYuv o, std::uint8_t* out) {
  std::array<std::uint8_t, kChunk> y;
  std::array<std::uint8_t, kChunk / 2> u, v;
  const int pairs = (width + 1) / 2;
  for (int start = 0; start < pairs; start += kChunk / 2) {
    const int count = std::min(kChunk / 2, pairs - start);
    const std::uint8_t* at = in + static_cast<std::size_t>(start) * 4;
    for (int i = 0; i < count; ++i, at += 4) {
      y[static_cast<std::size_t>(2 * i)] = at[o.y0];
      y[static_cast<std::size_t>(2 * i + 1)] = at[o.y1];
      u[static_cast<std::size_t>(i)] = at[o.u];
      v[static_cast<std::size_t>(i)] = at[o.v];
    }
    // An odd width ends in half a pair, which is converted in full and then dropped.
    std::array<std::uint8_t, kChunk * 4> pixels;
    PairsToBgrx(y.data(), u.data(), v.data(), count, pixels.data());
    const int last = std::min(2 * (start + count), width);
    std::memcpy(out + static_cast<std::size_t>(2 * start) * 4, pixels.data(),
                static_cast<std::size_t>(last - 2 * start) * 4);
  }
}

void PlanarToRgb32(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int step, int width,
                   std::uint8_t* out) {
  const int pairs = width / 2;
  std::array<std::uint8_t, kChunk / 2> nearU, nearV;
  for (int start = 0; start < pairs; start += kChunk / 2) {
    const int count = std::min(kChunk / 2, pairs - start);
    const std::uint8_t* pu = u + static_cast<std::size_t>(start) * static_cast<std::size_t>(step);
    const std::uint8_t* pv = v + static_cast<std::size_t>(start) * static_cast<std::size_t>(step);
    if (step != 1) {
      // Interleaved chroma is gathered first, so that the conversion reads plain rows.
      for (int i = 0; i < count; ++i) {
        nearU[static_cast<std::size_t>(i)] = pu[i * step];
        nearV[static_cast<std::size_t>(i)] = pv[i * step];
      }
      pu = nearU.data();
      pv = nearV.data();
    }
    PairsToBgrx(y + 2 * start, pu, pv, count, out + static_cast<std::size_t>(2 * start) * 4);
  }
  // An odd width ends in half a pair: its luma still has the pair's colour.
  if (width % 2 != 0) {
    const std::size_t c = static_cast<std::size_t>(pairs) * static_cast<std::size_t>(step);
    const std::uint8_t last[2] = {y[width - 1], y[width - 1]};
    std::uint8_t pixels[8];
    PairsToBgrx(last, u + c, v + c, 1, pixels);
    std::memcpy(out + static_cast<std::size_t>(width - 1) * 4, pixels, 4);
  }
}

}  // namespace zuna::picture_rows
