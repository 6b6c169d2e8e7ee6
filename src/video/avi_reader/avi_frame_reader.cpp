// The frame reader's file structure and header list, and reading frames.
#include "video/avi_reader/avi_frame_reader.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <new>
#include <string>

#include "video/avi/avi_layout.h"

namespace zuna {
namespace {

constexpr std::uint32_t kBitmapHeaderBytes = 40;
constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;

// Raw YUV layouts that players pass on without a decoder.
constexpr std::array<std::uint32_t, 10> kRawYuv = {FourCc("YUY2"), FourCc("UYVY"), FourCc("YVYU"), FourCc("Y8  "),
                                                   FourCc("Y800"), FourCc("GREY"), FourCc("YV12"), FourCc("I420"),
                                                   FourCc("IYUV"), FourCc("NV12")};

std::uint32_t Field32(ByteSpan bytes, std::uint64_t offset) {
  return ReadLe32(bytes, offset).value_or(0);
}

// Walks the chunks of a list held in memory: f(id, data) for each one that lies wholly inside.
template <typename F>
void ForEachChunk(ByteSpan bytes, F&& f) {
  std::uint64_t at = 0;
  while (at + 8 <= bytes.size()) {
    const std::uint32_t id = Field32(bytes, at);
    const std::uint64_t size = Field32(bytes, at + 4);
    if (size > bytes.size() - at - 8) break;
    if (!f(id, bytes.subspan(static_cast<std::size_t>(at + 8), static_cast<std::size_t>(size)))) break;
    at += 8 + size + (size & 1);
  }
}

}  // namespace

bool AviStreamFormat::Uncompressed() const {
  return compression == kBiRgb || compression == kBiBitfields ||
         std::find(kRawYuv.begin(), kRawYuv.end(), compression) != kRawYuv.end();
}

std::uint32_t AviStreamFormat::UncompressedFrameBytes() const {
  if (width <= 0 || height == 0 || bitCount == 0) return 0;
  const std::uint64_t rows = static_cast<std::uint64_t>(std::abs(static_cast<std::int64_t>(height)));
  std::uint64_t bytes = 0;
  if (compression == kBiRgb || compression == kBiBitfields) {
    bytes = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4 * rows;
  } else if (std::find(kRawYuv.begin(), kRawYuv.end(), compression) != kRawYuv.end()) {
    bytes = static_cast<std::uint64_t>(width) * rows * bitCount / 8;
  }
  return bytes > 0xFFFFFFFFu ? 0 : static_cast<std::uint32_t>(bytes);
}

void AviFrameReader::Reset() {
  format_ = AviStreamFormat();
  frames_.clear();
  indexKind_ = AviIndexKind::kNone;
  largest_ = 0;
  paletteChanges_.clear();
  problem_.clear();
  fileSize_ = firstRiffEnd_ = 0;
  movi_.reset();
  idx1_.reset();
  superIndex_.clear();
  stopped_ = false;
}

Status AviFrameReader::Fail(Status status, const char* problem) {
  const std::string text = problem;
  Reset();
  problem_ = text;
  return status;
}

bool AviFrameReader::ReadAt(AviByteSource& file, std::uint64_t offset, std::size_t count,
                            std::vector<std::uint8_t>& out) {
  // Never ask for bytes the file cannot hold: a read sizes its buffer before reading.
  if (offset > fileSize_ || count > fileSize_ - offset) return false;
  return file.Seek(offset) && file.Read(count, out) && out.size() == count;
}

std::optional<AviFrameReader::Chunk> AviFrameReader::ChunkAt(AviByteSource& file, std::uint64_t offset,
                                                             std::uint64_t end) {
  std::vector<std::uint8_t> head;
  if (offset + 12 > end || !ReadAt(file, offset, 12, head)) {
    if (offset + 8 > end || !ReadAt(file, offset, 8, head)) return std::nullopt;
  }
  Chunk chunk;
  chunk.offset = offset;
  chunk.id = Field32(head, 0);
  chunk.size = Field32(head, 4);
  if (chunk.id == avi::kRiff || chunk.id == avi::kList) chunk.listType = Field32(head, 8);
  return chunk;
}

Status AviFrameReader::Open(AviByteSource& file) {
  Reset();
  const std::optional<std::uint64_t> size = file.Size();
  if (!size) return Fail(kUnexpected, "the file size cannot be learned");
  fileSize_ = *size;
  if (Status s = ReadTopLevel(file); Failed(s)) return s;
  if (format_.Uncompressed() && format_.UncompressedFrameBytes() > kMaxFrameBytes) {
    problem_ = "one frame of its " + std::to_string(format_.width) + " x " + std::to_string(std::abs(format_.height)) +
               " picture would take more than " + std::to_string(kMaxFrameBytes >> 20) + " MiB";
    return Fail(kAbort, problem_.c_str());
  }

  if (!superIndex_.empty() && ReadOpenDmlIndex(file)) {
    indexKind_ = AviIndexKind::kOpenDml;
  } else if (idx1_ && !HasExtensionPart(file) && ReadLegacyIndex(file)) {
    indexKind_ = AviIndexKind::kLegacy;
  } else {
    WalkMovi(file);
    indexKind_ = AviIndexKind::kWalked;
  }
  for (const AviFrameEntry& frame : frames_) largest_ = std::max(largest_, frame.size);
  superIndex_.clear();
  superIndex_.shrink_to_fit();
  return kOk;
}

// The legacy index lists the first part only: a file that goes on in "AVIX" parts is walked instead.
bool AviFrameReader::HasExtensionPart(AviByteSource& file) {
  const std::optional<Chunk> next = ChunkAt(file, firstRiffEnd_ + (firstRiffEnd_ & 1), fileSize_);
  return next && next->id == avi::kRiff && next->listType == avi::kAvix;
}

// The first RIFF part: its header list, its "movi" list and its legacy index.
Status AviFrameReader::ReadTopLevel(AviByteSource& file) {
  std::vector<std::uint8_t> head;
  if (!ReadAt(file, 0, 12, head)) return Fail(kAbort, "the file is too short for an AVI file");
  if (!HasFourCc(head, 0, avi::kRiff) || !HasFourCc(head, 8, avi::kAvi)) {
    return Fail(kAbort, "the file is not a RIFF AVI file");
  }
  // A recording cut off before its sizes were brought up to date ends where the file ends.
  firstRiffEnd_ = std::min<std::uint64_t>(fileSize_, 8 + std::uint64_t{Field32(head, 4)});
  bool haveHeader = false;
  std::uint64_t at = 12;
  while (at + 8 <= firstRiffEnd_) {
    const std::optional<Chunk> chunk = ChunkAt(file, at, firstRiffEnd_);
    if (!chunk) break;
    if (chunk->id == avi::kList && chunk->listType == avi::kHdrl && !haveHeader) {
      if (chunk->size < 4 || chunk->size > kMaxHeaderBytes) return Fail(kAbort, "the header list has a wrong size");
      std::vector<std::uint8_t> hdrl;
      if (!ReadAt(file, at + 12, chunk->size - 4, hdrl)) return Fail(kAbort, "the header list is cut off");
      if (Status s = ReadHeaderList(hdrl); Failed(s)) return s;
      haveHeader = true;
    } else if (chunk->id == avi::kList && chunk->listType == avi::kMovi && !movi_) {
      movi_ = chunk;
    } else if (chunk->id == avi::kIdx1 && !idx1_) {
      idx1_ = chunk;
    }
    at += 8 + std::uint64_t{chunk->size} + (chunk->size & 1);
  }
  if (!haveHeader) return Fail(kAbort, "the file has no header list");
  if (!movi_) return Fail(kAbort, "the file has no \"movi\" list");
  return kOk;
}

Status AviFrameReader::ReadHeaderList(ByteSpan hdrl) {
  std::uint32_t microSecondsPerFrame = 0;
  std::uint32_t stream = 0;
  bool found = false;
  ForEachChunk(hdrl, [&](std::uint32_t id, ByteSpan data) {
    if (id == avi::kAvih) {
      microSecondsPerFrame = Field32(data, 0);
    } else if (id == avi::kList && HasFourCc(data, 0, avi::kStrl)) {
      found = ReadStreamList(data.subspan(4), stream++);
      if (found) return false;
    }
    return stream < 100;  // chunk ids have two digits for the stream
  });
  if (!found) return Fail(kAbort, "the file has no usable video stream");
  if (format_.rate == 0 || format_.scale == 0) {
    // The stream header has no rate: the main header's frame time stands in.
    if (microSecondsPerFrame == 0) return Fail(kAbort, "the video stream has no frame rate");
    format_.rate = 1'000'000;
    format_.scale = microSecondsPerFrame;
  }
  // Frames shorter than the 100 ns unit of stream time could not be told apart by their times.
  if (std::uint64_t{format_.rate} > std::uint64_t{format_.scale} * 10'000'000) {
    return Fail(kAbort, "the video stream has an impossible frame rate");
  }
  return kOk;
}

bool AviFrameReader::ReadStreamList(ByteSpan strl, std::uint32_t number) {
  AviStreamFormat format;
  format.streamNumber = number;
  bool video = false;
  bool haveFormat = false;
  std::vector<std::uint8_t> super;
  ForEachChunk(strl, [&](std::uint32_t id, ByteSpan data) {
    if (id == avi::kStrh && data.size() >= 36) {
      video = HasFourCc(data, 0, avi::kVids);
      format.handler = Field32(data, 4);
      format.scale = Field32(data, 20);
      format.rate = Field32(data, 24);
    } else if (id == avi::kStrf && data.size() >= kBitmapHeaderBytes && data.size() <= kMaxFormatBytes) {
      format.bitmapInfo.assign(data.begin(), data.end());
      haveFormat = true;
    } else if (id == avi::kIndx && data.size() <= kMaxHeaderBytes) {
      super.assign(data.begin(), data.end());
    }
    return true;
  });
  if (!video || !haveFormat) return false;
  const ByteSpan bi = format.bitmapInfo;
  const std::uint32_t headerSize = Field32(bi, 0);
  format.width = static_cast<std::int32_t>(Field32(bi, 4));
  format.height = static_cast<std::int32_t>(Field32(bi, 8));
  format.bitCount = ReadLe16(bi, 14).value_or(0);
  format.compression = Field32(bi, 16);
  format.sizeImage = Field32(bi, 20);
  if (headerSize < kBitmapHeaderBytes || headerSize > bi.size()) return false;
  if (format.width <= 0 || format.width > kMaxDimension || format.height == 0 || format.height < -kMaxDimension ||
      format.height > kMaxDimension) {
    return false;
  }
  format_ = std::move(format);
  superIndex_ = std::move(super);
  return true;
}

namespace {

// The two-letter kind of a chunk of stream `number` ("db", "dc", "pc"), or 0 for another stream's.
std::uint32_t ChunkKind(std::uint32_t id, std::uint32_t number) {
  const auto tens = static_cast<std::uint8_t>('0' + number / 10);
  const auto ones = static_cast<std::uint8_t>('0' + number % 10);
  const auto c0 = static_cast<std::uint8_t>(id);
  const auto c1 = static_cast<std::uint8_t>(id >> 8);
  return c0 == tens && c1 == ones ? id >> 16 : 0;
}

}  // namespace

bool AviFrameReader::IsStreamChunk(std::uint32_t id) const {
  const std::uint32_t kind = ChunkKind(id, format_.streamNumber);
  return kind == (FourCc("00db") >> 16) || kind == (FourCc("00dc") >> 16);
}

bool AviFrameReader::IsPaletteChange(std::uint32_t id) const {
  return ChunkKind(id, format_.streamNumber) == (FourCc("00pc") >> 16);
}

// Adds a frame unless its bytes lie outside the file or the list is full; false ends the list.
bool AviFrameReader::AddFrame(std::uint64_t offset, std::uint32_t size, bool key) {
  if (stopped_ || frames_.size() >= kMaxFrames) return false;
  if (offset < 8 || offset > fileSize_ || size > fileSize_ - offset) {
    stopped_ = true;
    return false;
  }
  if (size > kMaxFrameBytes) {
    problem_ = "frame " + std::to_string(frames_.size()) + " claims " + std::to_string(size) + " bytes, more than " +
               std::to_string(kMaxFrameBytes >> 20) + " MiB; the frames from there on are not read";
    stopped_ = true;
    return false;
  }
  // An uncompressed frame stands alone; a frame with no bytes is dropped, never a key.
  const bool isKey = size != 0 && (key || format_.Uncompressed());
  frames_.push_back({offset, size, isKey});
  return true;
}

void AviFrameReader::AddPaletteChange(std::uint64_t offset, std::uint32_t size) {
  if (stopped_ || paletteChanges_.size() >= kMaxFrames) return;
  if (offset < 8 || offset > fileSize_ || size > fileSize_ - offset) return;
  paletteChanges_.push_back({static_cast<std::uint32_t>(frames_.size()), offset, size});
}

Status AviFrameReader::ReadPaletteChange(AviByteSource& file, std::size_t change,
                                         std::vector<std::uint8_t>& out) const {
  constexpr std::uint32_t kLargestChange = 4 + 256 * 4;
  out.clear();
  if (change >= paletteChanges_.size()) return kInvalidArg;
  const AviPaletteChange& entry = paletteChanges_[change];
  const std::uint32_t wanted = std::min(entry.size, kLargestChange);
  std::vector<std::uint8_t> bytes;
  if (!file.Seek(entry.offset - 8) || !file.Read(std::size_t{wanted} + 8, bytes)) return kUnexpected;
  if (bytes.size() != std::size_t{wanted} + 8 || !IsPaletteChange(Field32(bytes, 0)) ||
      Field32(bytes, 4) != entry.size) {
    return kFail;
  }
  out.assign(bytes.begin() + 8, bytes.end());
  return kOk;
}

Status AviFrameReader::ReadFrame(AviByteSource& file, std::uint32_t frame, std::vector<std::uint8_t>& out) const {
  out.clear();
  if (frame >= frames_.size()) return kInvalidArg;
  const AviFrameEntry& entry = frames_[frame];
  if (entry.size == 0) return kOk;
  // The streaming thread calls this: running out of memory must end the stream, never the program.
  try {
    std::vector<std::uint8_t> bytes;
    if (!file.Seek(entry.offset - 8) || !file.Read(std::size_t{entry.size} + 8, bytes)) return kUnexpected;
    if (bytes.size() != std::size_t{entry.size} + 8 || !IsStreamChunk(Field32(bytes, 0)) ||
        Field32(bytes, 4) != entry.size) {
      return kFail;  // the index does not lead to this stream's chunk: a damaged file
    }
    out.assign(bytes.begin() + 8, bytes.end());
  } catch (const std::bad_alloc&) {
    out.clear();
    return kOutOfMemory;
  }
  return kOk;
}

std::optional<std::uint32_t> AviFrameReader::PictureFrame(std::uint32_t frame) const {
  if (frames_.empty()) return std::nullopt;
  std::uint32_t at = std::min<std::uint32_t>(frame, FrameCount() - 1);
  for (std::uint32_t i = at + 1; i-- > 0;) {
    if (frames_[i].size != 0) return i;
  }
  for (std::uint32_t i = at + 1; i < FrameCount(); ++i) {
    if (frames_[i].size != 0) return i;
  }
  return std::nullopt;
}

std::uint32_t AviFrameReader::DecodeStart(std::uint32_t frame) const {
  if (frames_.empty()) return 0;
  const std::uint32_t at = std::min<std::uint32_t>(frame, FrameCount() - 1);
  std::optional<std::uint32_t> firstKept;
  for (std::uint32_t i = at + 1; i-- > 0;) {
    if (frames_[i].size == 0) continue;
    if (frames_[i].key) return i;
    firstKept = i;
  }
  return firstKept.value_or(at);
}

}  // namespace zuna
