#pragma once
// Reads the frames of any AVI file's first video stream, for playback: the stream's format, and for
// every frame where its bytes stand, how many there are and whether it is a key frame. The frames
// come from the OpenDML indexes (a super index leading to standard indexes in every RIFF part), else
// from the legacy "idx1" index, else from walking the "movi" lists of every part.
//
// Any file may be damaged or hostile: no count is trusted, every offset and size is checked against
// the file's real size, and what is held in memory grows only with what was actually read from the
// file. A frame whose bytes lie outside the file ends the frame list there; so does a frame larger
// than kMaxFrameBytes, and a stream whose uncompressed frames would be larger is not read at all:
// one frame is held in memory whole, and no file may ask for more than that much.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/foundation/status.h"
#include "video/avi/avi_byte_source.h"

namespace zuna {

struct AviStreamFormat {
  std::uint32_t streamNumber = 0;  // its chunks are "NNdb" or "NNdc"
  std::uint32_t handler = 0;
  std::uint32_t rate = 0;  // frames per `scale` seconds
  std::uint32_t scale = 0;
  std::int32_t width = 0;
  std::int32_t height = 0;  // as the bitmap header has it: negative for top-down RGB rows
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;  // 0 for RGB, 3 for RGB bit fields, else a four-character code
  std::uint32_t sizeImage = 0;    // as the bitmap header has it (often 0 for RGB)
  // The stream format chunk as stored: the bitmap header and whatever follows it (palette, codec data).
  std::vector<std::uint8_t> bitmapInfo;

  // RGB or a raw YUV layout: every frame stands alone and has the same size.
  bool Uncompressed() const;
  // Bytes of an uncompressed frame (rows of RGB padded to 4 bytes); 0 when unknown.
  std::uint32_t UncompressedFrameBytes() const;
};

struct AviFrameEntry {
  std::uint64_t offset = 0;  // of the frame's bytes, after its chunk head
  std::uint32_t size = 0;    // 0: a dropped frame, shown as the frame before it
  bool key = false;
};

// A palette change inside the stream (an "NNpc" chunk), from the legacy index or the walk; the
// OpenDML indexes list frames only.
struct AviPaletteChange {
  std::uint32_t fromFrame = 0;  // the first frame it applies to
  std::uint64_t offset = 0;     // of its bytes, after the chunk head
  std::uint32_t size = 0;
};

enum class AviIndexKind { kNone, kOpenDml, kLegacy, kWalked };

class AviFrameReader {
 public:
  static constexpr std::uint32_t kMaxFrames = 99'999'999;
  static constexpr std::uint32_t kMaxHeaderBytes = 16u << 20;  // the header list is read whole
  static constexpr std::uint32_t kMaxFormatBytes = 1u << 16;
  static constexpr std::int32_t kMaxDimension = 32768;
  static constexpr std::uint32_t kMaxFrameBytes = 512u << 20;  // what one frame may claim

  // kOk when the file holds a video stream (possibly of no frames); kAbort when it is not an AVI file
  // with a usable video stream; kUnexpected when a read failed. Problem() says why; after kOk it
  // says why the frame list ended early, when a frame claimed too much.
  Status Open(AviByteSource& file);

  const AviStreamFormat& Format() const { return format_; }
  const std::vector<AviFrameEntry>& Frames() const { return frames_; }
  std::uint32_t FrameCount() const { return static_cast<std::uint32_t>(frames_.size()); }
  AviIndexKind IndexKind() const { return indexKind_; }
  std::uint32_t LargestFrameBytes() const { return largest_; }
  const std::string& Problem() const { return problem_; }
  // In file order, so by frame.
  const std::vector<AviPaletteChange>& PaletteChanges() const { return paletteChanges_; }

  // The bytes of one frame (none for a dropped frame), after checking that its chunk head names the
  // stream and its size. kInvalidArg for a frame number out of range; kOutOfMemory when the memory
  // for it cannot be had.
  Status ReadFrame(AviByteSource& file, std::uint32_t frame, std::vector<std::uint8_t>& out) const;
  // The bytes of one palette change (its head and at most 256 entries), checked like a frame's.
  Status ReadPaletteChange(AviByteSource& file, std::size_t change, std::vector<std::uint8_t>& out) const;

  // The frame whose bytes picture `frame`: itself, or for a dropped frame the last kept one before it
  // (the first kept one after it when there is none before). No value when every frame was dropped.
  std::optional<std::uint32_t> PictureFrame(std::uint32_t frame) const;
  // Where decoding must start to show kept frame `frame`: the last kept key frame at or before it
  // (the first kept frame when there is none).
  std::uint32_t DecodeStart(std::uint32_t frame) const;

 private:
  struct Chunk {
    std::uint32_t id = 0;
    std::uint32_t size = 0;
    std::uint32_t listType = 0;  // for "RIFF" and "LIST"
    std::uint64_t offset = 0;    // of the chunk head
  };

  void Reset();
  Status Fail(Status status, const char* problem);
  bool ReadAt(AviByteSource& file, std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& out);
  std::optional<Chunk> ChunkAt(AviByteSource& file, std::uint64_t offset, std::uint64_t end);
  Status ReadTopLevel(AviByteSource& file);
  Status ReadHeaderList(ByteSpan hdrl);
  bool ReadStreamList(ByteSpan strl, std::uint32_t number);
  bool IsStreamChunk(std::uint32_t id) const;
  bool IsPaletteChange(std::uint32_t id) const;
  bool AddFrame(std::uint64_t offset, std::uint32_t size, bool key);
  void AddPaletteChange(std::uint64_t offset, std::uint32_t size);

  // The three ways of finding the frames; each leaves frames_ empty when it cannot be used.
  bool ReadOpenDmlIndex(AviByteSource& file);
  bool ReadStandardIndex(AviByteSource& file, std::uint64_t offset, std::uint64_t size);
  bool ReadLegacyIndex(AviByteSource& file);
  bool HasExtensionPart(AviByteSource& file);
  std::optional<std::uint64_t> LegacyIndexBase(AviByteSource& file, std::uint32_t id, std::uint32_t offset);
  void WalkMovi(AviByteSource& file);
  bool WalkList(AviByteSource& file, std::uint64_t begin, std::uint64_t end, int depth);

  AviStreamFormat format_;
  std::vector<AviFrameEntry> frames_;
  AviIndexKind indexKind_ = AviIndexKind::kNone;
  std::uint32_t largest_ = 0;
  std::vector<AviPaletteChange> paletteChanges_;
  std::string problem_;

  std::uint64_t fileSize_ = 0;
  std::uint64_t firstRiffEnd_ = 0;
  std::optional<Chunk> movi_;             // the first part's "movi" list
  std::optional<Chunk> idx1_;             // the legacy index
  std::vector<std::uint8_t> superIndex_;  // the video stream's "indx" chunk data
  bool stopped_ = false;                  // a frame outside the file ended the list
};

}  // namespace zuna
