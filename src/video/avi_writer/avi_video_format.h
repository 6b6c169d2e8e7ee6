#pragma once
// The one video stream an AviWriter records: frame size, frame rate and how frames are coded.
#include <cstdint>

#include "video/avi/riff_bytes.h"

namespace zuna {

struct AviVideoFormat {
  static constexpr std::int32_t kMaxDimension = 32768;

  std::int32_t width = 0;
  std::int32_t height = 0;  // positive; RGB32 rows run bottom-up as in every AVI file
  std::uint32_t rate = 0;   // frames per `scale` seconds, e.g. 30000 / 1001
  std::uint32_t scale = 0;
  std::uint32_t handler = 0;      // stream handler: "DIB ", "YUY2" or the codec's code
  std::uint32_t compression = 0;  // the bitmap header's compression: 0 for RGB, "YUY2", the codec's code
  std::uint16_t bitCount = 0;
  std::uint32_t sizeImage = 0;  // bytes of an uncompressed frame; for a codec the largest frame expected
  bool compressed = false;      // frames carry their own key flags

  static AviVideoFormat Yuy2(std::int32_t width, std::int32_t height, std::uint32_t rate, std::uint32_t scale);
  static AviVideoFormat Rgb32(std::int32_t width, std::int32_t height, std::uint32_t rate, std::uint32_t scale);
  static AviVideoFormat Compressed(std::uint32_t codec, std::uint16_t bitCount, std::int32_t width, std::int32_t height,
                                   std::uint32_t rate, std::uint32_t scale);

  // Sizes in range, a rate, and for uncompressed frames an even width where YUY2 needs it.
  bool IsValid() const;
  std::uint32_t ChunkId() const;  // "00db" uncompressed, "00dc" compressed
};

}  // namespace zuna
