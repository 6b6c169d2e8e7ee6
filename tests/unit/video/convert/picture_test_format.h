#pragma once
// Bitmap headers as stream format chunks hold them, for the conversion tests.
#include <cstdint>
#include <string_view>
#include <vector>

namespace zuna::test {

inline void PutField(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes = 4) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline std::uint32_t Code(std::string_view c) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(c[0])) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(c[1])) << 8 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(c[2])) << 16 |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(c[3])) << 24;
}

// A 40-byte header followed by `extra` (bit masks, palette).
inline std::vector<std::uint8_t> BitmapInfo(int width, int height, int bitCount, std::uint32_t compression,
                                            const std::vector<std::uint8_t>& extra = {}, std::uint32_t colours = 0) {
  std::vector<std::uint8_t> out;
  PutField(out, 40);
  PutField(out, static_cast<std::uint32_t>(width));
  PutField(out, static_cast<std::uint32_t>(height));
  PutField(out, 1, 2);
  PutField(out, static_cast<std::uint32_t>(bitCount), 2);
  PutField(out, compression);
  for (int i = 0; i < 3; ++i) PutField(out, 0);  // size of the image, pixels per metre
  PutField(out, colours);
  PutField(out, 0);
  out.insert(out.end(), extra.begin(), extra.end());
  return out;
}

inline std::vector<std::uint8_t> Masks(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  std::vector<std::uint8_t> out;
  PutField(out, red);
  PutField(out, green);
  PutField(out, blue);
  return out;
}

}  // namespace zuna::test
