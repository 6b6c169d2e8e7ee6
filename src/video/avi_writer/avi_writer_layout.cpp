#include "video/avi_writer/avi_writer_layout.h"

#include "video/avi/avi_layout.h"

namespace zuna {
namespace {

constexpr std::uint32_t kMainHeaderBytes = 56;
constexpr std::uint32_t kStreamHeaderBytes = 56;
constexpr std::uint32_t kBitmapHeaderBytes = 40;
constexpr std::uint32_t kDmlhBytes = 248;

std::uint32_t MicroSecondsPerFrame(const AviVideoFormat& f) {
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(f.scale) * 1'000'000 / f.rate);
}

std::uint32_t MaxBytesPerSecond(const AviVideoFormat& f) {
  const std::uint64_t bytes = static_cast<std::uint64_t>(f.sizeImage) * f.rate / f.scale;
  return bytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(bytes);
}

void PutChunkHead(std::vector<std::uint8_t>& out, std::uint32_t code, std::uint32_t size) {
  PutLe32(out, code);
  PutLe32(out, size);
}

void PutMainHeader(std::vector<std::uint8_t>& out, const AviVideoFormat& f) {
  PutChunkHead(out, avi::kAvih, kMainHeaderBytes);
  PutLe32(out, MicroSecondsPerFrame(f));
  PutLe32(out, MaxBytesPerSecond(f));
  PutLe32(out, 0);  // padding granularity
  PutLe32(out, 0);  // flags: the legacy index is announced once it is written
  PutLe32(out, 0);  // frames in the first part
  PutLe32(out, 0);  // initial frames
  PutLe32(out, 1);  // streams
  PutLe32(out, f.sizeImage);
  PutLe32(out, static_cast<std::uint32_t>(f.width));
  PutLe32(out, static_cast<std::uint32_t>(f.height));
  for (int i = 0; i < 4; ++i) PutLe32(out, 0);
}

void PutStreamHeader(std::vector<std::uint8_t>& out, const AviVideoFormat& f) {
  PutChunkHead(out, avi::kStrh, kStreamHeaderBytes);
  PutLe32(out, avi::kVids);
  PutLe32(out, f.handler);
  PutLe32(out, 0);  // flags
  PutLe32(out, 0);  // priority and language
  PutLe32(out, 0);  // initial frames
  PutLe32(out, f.scale);
  PutLe32(out, f.rate);
  PutLe32(out, 0);  // start
  PutLe32(out, 0);  // length, kept up to date
  PutLe32(out, f.sizeImage);
  PutLe32(out, 0xFFFFFFFFu);  // quality: the default
  PutLe32(out, 0);            // sample size: frames vary
  PutLe16(out, 0);
  PutLe16(out, 0);
  PutLe16(out, static_cast<std::uint16_t>(f.width));
  PutLe16(out, static_cast<std::uint16_t>(f.height));
}

void PutStreamFormat(std::vector<std::uint8_t>& out, const AviVideoFormat& f) {
  PutChunkHead(out, avi::kStrf, kBitmapHeaderBytes);
  PutLe32(out, kBitmapHeaderBytes);
  PutLe32(out, static_cast<std::uint32_t>(f.width));
  PutLe32(out, static_cast<std::uint32_t>(f.height));
  PutLe16(out, 1);  // planes
  PutLe16(out, f.bitCount);
  PutLe32(out, f.compression);
  PutLe32(out, f.sizeImage);
  for (int i = 0; i < 4; ++i) PutLe32(out, 0);  // resolution and colour counts
}

void PutSuperIndex(std::vector<std::uint8_t>& out, const AviVideoFormat& f, std::uint32_t capacity) {
  PutChunkHead(out, avi::kIndx, avi::kIndexHeadBytes - 8 + capacity * avi::kSuperIndexLongs * 4);
  PutLe16(out, avi::kSuperIndexLongs);
  out.push_back(0);  // sub-type
  out.push_back(0);  // index of indexes
  PutLe32(out, 0);   // entries in use
  PutLe32(out, f.ChunkId());
  for (int i = 0; i < 3; ++i) PutLe32(out, 0);
  out.resize(out.size() + static_cast<std::size_t>(capacity) * avi::kSuperIndexLongs * 4, 0);
}

void PutExtendedHeader(std::vector<std::uint8_t>& out) {
  PutChunkHead(out, avi::kList, 4 + 8 + kDmlhBytes);
  PutLe32(out, avi::kOdml);
  PutChunkHead(out, avi::kDmlh, kDmlhBytes);
  out.resize(out.size() + kDmlhBytes, 0);  // total frames first, kept up to date
}

void PutCaptureTag(std::vector<std::uint8_t>& out) {
  const std::uint32_t textBytes = avi::kCaptureTagLength + 1;  // with its terminating zero
  const std::uint32_t padded = textBytes + (textBytes & 1);
  PutChunkHead(out, avi::kList, 4 + 8 + padded);
  PutLe32(out, avi::kInfo);
  PutChunkHead(out, avi::kIart, textBytes);
  out.insert(out.end(), avi::kCaptureTagText, avi::kCaptureTagText + textBytes);
  out.resize(out.size() + (padded - textBytes), 0);
}

}  // namespace

AviWriterLayout BuildAviWriterLayout(const AviVideoFormat& format, std::uint32_t superIndexCapacity) {
  AviWriterLayout layout;
  layout.superIndexCapacity = superIndexCapacity;
  std::vector<std::uint8_t>& out = layout.bytes;
  PutChunkHead(out, avi::kRiff, 0);
  PutLe32(out, avi::kAvi);
  PutChunkHead(out, avi::kList, 0);
  PutLe32(out, avi::kHdrl);
  PutMainHeader(out, format);
  const std::size_t strlStart = out.size();
  PutChunkHead(out, avi::kList, 0);
  PutLe32(out, avi::kStrl);
  PutStreamHeader(out, format);
  PutStreamFormat(out, format);
  layout.superIndexOffset = out.size();
  PutSuperIndex(out, format, superIndexCapacity);
  StoreLe32(out, strlStart + 4, static_cast<std::uint32_t>(out.size() - strlStart - 8));
  const std::size_t odmlStart = out.size();
  PutExtendedHeader(out);
  layout.dmlhTotalFramesOffset = odmlStart + 20;
  StoreLe32(out, avi::kHdrlSizeOffset, static_cast<std::uint32_t>(out.size() - avi::kHdrlDataOffset));
  PutCaptureTag(out);
  layout.moviListOffset = out.size();
  PutChunkHead(out, avi::kList, 4);
  PutLe32(out, avi::kMovi);
  StoreLe32(out, avi::kRiffSizeOffset, static_cast<std::uint32_t>(out.size() - 8));
  return layout;
}

std::vector<std::uint8_t> StandardIndexHead(std::uint32_t chunkId, std::uint32_t capacity, std::uint64_t baseOffset) {
  std::vector<std::uint8_t> out;
  PutChunkHead(out, avi::kIx00, avi::kIndexHeadBytes - 8 + capacity * avi::kStandardIndexLongs * 4);
  PutLe16(out, avi::kStandardIndexLongs);
  out.push_back(0);  // sub-type
  out.push_back(1);  // index of chunks
  PutLe32(out, 0);   // entries in use
  PutLe32(out, chunkId);
  PutLe64(out, baseOffset);
  PutLe32(out, 0);
  return out;
}

std::vector<std::uint8_t> ExtensionPartHead() {
  std::vector<std::uint8_t> out;
  PutChunkHead(out, avi::kRiff, 16);
  PutLe32(out, avi::kAvix);
  PutChunkHead(out, avi::kList, 4);
  PutLe32(out, avi::kMovi);
  return out;
}

}  // namespace zuna
