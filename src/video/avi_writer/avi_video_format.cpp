#include "video/avi_writer/avi_video_format.h"

#include "video/avi/avi_layout.h"

namespace zuna {
namespace {

std::uint32_t FrameBytes(std::int32_t width, std::int32_t height, std::uint32_t bytesPerPixel) {
  if (width <= 0 || height <= 0 || width > AviVideoFormat::kMaxDimension || height > AviVideoFormat::kMaxDimension) {
    return 0;
  }
  const std::uint64_t bytes = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * bytesPerPixel;
  return bytes > 0xFFFFFFFFu ? 0 : static_cast<std::uint32_t>(bytes);
}

AviVideoFormat Base(std::int32_t width, std::int32_t height, std::uint32_t rate, std::uint32_t scale) {
  AviVideoFormat f;
  f.width = width;
  f.height = height;
  f.rate = rate;
  f.scale = scale;
  return f;
}

}  // namespace

AviVideoFormat AviVideoFormat::Yuy2(std::int32_t width, std::int32_t height, std::uint32_t rate, std::uint32_t scale) {
  AviVideoFormat f = Base(width, height, rate, scale);
  f.handler = f.compression = FourCc("YUY2");
  f.bitCount = 16;
  f.sizeImage = FrameBytes(width, height, 2);
  return f;
}

AviVideoFormat AviVideoFormat::Rgb32(std::int32_t width, std::int32_t height, std::uint32_t rate, std::uint32_t scale) {
  AviVideoFormat f = Base(width, height, rate, scale);
  f.handler = FourCc("DIB ");
  f.compression = 0;
  f.bitCount = 32;
  f.sizeImage = FrameBytes(width, height, 4);
  return f;
}

AviVideoFormat AviVideoFormat::Compressed(std::uint32_t codec, std::uint16_t bitCount, std::int32_t width,
                                          std::int32_t height, std::uint32_t rate, std::uint32_t scale) {
  AviVideoFormat f = Base(width, height, rate, scale);
  f.handler = f.compression = codec;
  f.bitCount = bitCount;
  f.sizeImage = FrameBytes(width, height, 4);
  f.compressed = true;
  return f;
}

bool AviVideoFormat::IsValid() const {
  if (width <= 0 || height <= 0 || width > kMaxDimension || height > kMaxDimension) return false;
  if (rate == 0 || scale == 0 || handler == 0) return false;
  if (compression == FourCc("YUY2") && width % 2 != 0) return false;
  return compressed || sizeImage != 0;
}

std::uint32_t AviVideoFormat::ChunkId() const {
  return compressed ? avi::kCompressedChunk : avi::kUncompressedChunk;
}

}  // namespace zuna
