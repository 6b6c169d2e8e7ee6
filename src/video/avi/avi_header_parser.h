#pragma once
// Reads the start of an AVI file before it is played: checks the RIFF/AVI header structure at its
// fixed places, derives the file information, recognises the capture program's files by their
// information tag and, for those, reads the OpenDML index to learn which frames are key frames and
// which were dropped. Any file may be damaged or hostile: every count, offset and size is checked
// against the file's real size and the bytes actually read.
#include <cstdint>
#include <vector>

#include "common/foundation/status.h"
#include "video/avi/avi_byte_source.h"
#include "video/avi/avi_file_info.h"
#include "video/avi/avi_number_locale.h"

namespace zuna {

class AviHeaderParser {
 public:
  static constexpr std::size_t kHeaderBytes = 8192;
  static constexpr std::size_t kTagBytes = 4096;
  static constexpr std::uint32_t kMaxTotalFrames = 99'999'999;  // the frame count texts hold 8 digits
  static constexpr std::uint32_t kMaxFrameDimension = 32768;
  // The most super index entries a file may claim (as many as the capture program writes at most):
  // the super index is read whole, so what it may ask for is bounded.
  static constexpr std::uint32_t kMaxSuperIndexEntries = 1u << 20;

  explicit AviHeaderParser(const NumberLocale& locale = ProcessNumberLocale()) : locale_(locale) {}

  // kOk; kAbort when the structure is rejected; kUnexpected when a move or read failed, or the index
  // is damaged, in a file the capture program wrote. Each failure posts its message first.
  // The file path text is left to the caller.
  Status ParseAviHeader(AviByteSource& file);

  // Frame numbers (from 0) of the dropped frames; empty unless the capture program wrote the file.
  std::vector<std::uint32_t> DroppedFrameNumbers() const;

  AviFileInfo info;
  std::uint32_t totalFrames = 0;
  std::uint32_t keyFrames = 0;
  std::uint32_t droppedFrames = 0;
  // totalFrames + 1 entries, the last one spare: 1 key frame, 0 dropped frame.
  std::vector<std::uint8_t> frameIsKey;
  bool createdByCapture = false;
  // For the program's video and display size; 0 when the header holds none or an impossible one.
  std::int32_t videoWidth = 0;
  std::int32_t videoHeight = 0;

 private:
  void Reset();
  Status CheckStructure(AviByteSource& file, std::vector<std::uint8_t>& header);
  Status ReadFileSizeAndTag(AviByteSource& file, std::uint32_t hdrlSize);
  Status ReadTag(AviByteSource& file, std::uint32_t hdrlSize);
  Status CheckStreamLength(std::uint32_t length);
  Status ReadFrameMap(AviByteSource& file, ByteSpan header);
  Status ReadStandardIndex(AviByteSource& file, std::uint64_t offset, std::uint32_t size, std::uint32_t& mapped);
  Status ReadExactly(AviByteSource& file, std::uint64_t offset, std::size_t count, std::vector<std::uint8_t>& out);
  void FillTexts(ByteSpan header);

  const NumberLocale& locale_;
  std::optional<std::uint64_t> fileSize_;
};

}  // namespace zuna
