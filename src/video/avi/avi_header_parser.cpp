#include "video/avi/avi_header_parser.h"

#include <array>
#include <cstring>

#include "common/log/user_messages_log.h"
#include "video/avi/avi_layout.h"

namespace zuna {
namespace {

struct StructureCheck {
  std::uint32_t offset;
  std::uint32_t code;
  const wchar_t* message;
};

// In this order: the user is told about the first place that is wrong.
constexpr std::array<StructureCheck, 8> kStructureChecks{{
    {0, avi::kRiff, L"WARNING: AVI file header is not RIFF formatted; file open aborted\r\n"},
    {8, avi::kAvi, L"WARNING: AVI file header FOURCC code is not \"AVI \"; file open aborted\r\n"},
    {12, avi::kList, L"WARNING: AVI file header chunk is not followed by a LIST structure; file open aborted\r\n"},
    {avi::kHdrlTypeOffset, avi::kHdrl,
     L"WARNING: AVI file header LIST structure list type is not \"hdrl\"; file open aborted\r\n"},
    {avi::kStrlListOffset, avi::kList,
     L"WARNING: AVI file main header structure is not followed by a LIST structure; file open aborted\r\n"},
    {avi::kStrlTypeOffset, avi::kStrl, L"WARNING: LIST structure list type is not \"strl\"; file open aborted\r\n"},
    {avi::kStrhOffset, avi::kStrh,
     L"WARNING: stream header structure FOURCC code is not \"strh\"; file open aborted\r\n"},
    {avi::kStrfOffset, avi::kStrf,
     L"WARNING: stream format structure FOURCC code is not \"strf\"; file open aborted\r\n"},
}};

constexpr wchar_t kNoCaptureTest[] =
    L"INFO: cannot determine file size, thus cannot determine if file is created by ZUNA Video Capture\r\n";

std::uint32_t Field(ByteSpan header, std::uint32_t offset) {
  return ReadLe32(header, offset).value_or(0);
}

std::int32_t Dimension(std::uint32_t value) {
  return value > AviHeaderParser::kMaxFrameDimension ? 0 : static_cast<std::int32_t>(value);
}

// The tag names the capture program when its text is exactly "ZUNA Video Capture", alone or followed
// by its terminator. A shorter declared size would match any prefix, so it does not count.
bool IsCaptureTag(ByteSpan block) {
  if (!HasFourCc(block, 0, avi::kList) || !HasFourCc(block, avi::kTagInfoOffset, avi::kInfo) ||
      !HasFourCc(block, avi::kTagIartOffset, avi::kIart)) {
    return false;
  }
  const std::uint32_t size = ReadLe32(block, avi::kTagSizeOffset).value_or(0);
  const std::size_t available = block.size() - avi::kTagTextOffset;
  if (size < avi::kCaptureTagLength || available < avi::kCaptureTagLength) return false;
  const auto* text = block.data() + avi::kTagTextOffset;
  if (std::memcmp(text, avi::kCaptureTagText, avi::kCaptureTagLength) != 0) return false;
  return size == avi::kCaptureTagLength || (available > avi::kCaptureTagLength && text[avi::kCaptureTagLength] == 0);
}

}  // namespace

void AviHeaderParser::Reset() {
  info.Clear();
  totalFrames = keyFrames = droppedFrames = 0;
  frameIsKey.clear();
  createdByCapture = false;
  videoWidth = videoHeight = 0;
  fileSize_.reset();
}

Status AviHeaderParser::ParseAviHeader(AviByteSource& file) {
  Reset();
  std::vector<std::uint8_t> header;
  if (Status s = CheckStructure(file, header); Failed(s)) return s;
  if (Status s = ReadFileSizeAndTag(file, Field(header, avi::kHdrlSizeOffset)); Failed(s)) return s;
  if (Status s = CheckStreamLength(Field(header, avi::kLengthOffset)); Failed(s)) return s;
  totalFrames = Field(header, avi::kLengthOffset);
  frameIsKey.assign(static_cast<std::size_t>(totalFrames) + 1, 0);
  if (createdByCapture) {
    if (Status s = ReadFrameMap(file, header); Failed(s)) return s;
  } else {
    std::fill(frameIsKey.begin(), frameIsKey.end(), 1);
    keyFrames = totalFrames;
  }
  videoWidth = Dimension(Field(header, avi::kWidthOffset));
  videoHeight = Dimension(Field(header, avi::kHeightOffset));
  droppedFrames = totalFrames - keyFrames;
  FillTexts(header);
  return kOk;
}

Status AviHeaderParser::CheckStructure(AviByteSource& file, std::vector<std::uint8_t>& header) {
  if (!file.Seek(0) || !file.Read(kHeaderBytes, header)) {
    PostStampedMessage(L"WARNING: unable to read data from AVI file; file open aborted\r\n");
    return kAbort;
  }
  header.resize(kHeaderBytes, 0);  // a short file reads as zeros and fails the first missing check
  for (const StructureCheck& check : kStructureChecks) {
    if (!HasFourCc(header, check.offset, check.code)) {
      PostStampedMessage(check.message);
      return kAbort;
    }
  }
  return kOk;
}

Status AviHeaderParser::ReadFileSizeAndTag(AviByteSource& file, std::uint32_t hdrlSize) {
  fileSize_ = file.Size();
  if (!fileSize_) {
    PostStampedMessage(L"WARNING: unable to obtain the opened file size\r\n");
    PostStampedMessage(kNoCaptureTest);
    return kOk;
  }
  if (*fileSize_ == 0) {
    PostStampedMessage(kNoCaptureTest);
    return kOk;
  }
  const std::wstring sizeText = FormatWithThousands(*fileSize_, locale_);
  // A size that does not fit its text is shown as unknown rather than cut into a wrong number.
  if (sizeText.size() < AviFileInfo::kFileSizeCapacity) info.fileSize = sizeText;
  if (*fileSize_ <= static_cast<std::uint64_t>(hdrlSize) + 12) return kOk;
  return ReadTag(file, hdrlSize);
}

Status AviHeaderParser::ReadTag(AviByteSource& file, std::uint32_t hdrlSize) {
  if (!file.Seek(static_cast<std::uint64_t>(avi::kHdrlDataOffset) + hdrlSize)) {
    PostStampedMessage(L"SEVERE: unable to set the file pointer in the opened file\r\n");
    return kUnexpected;
  }
  std::vector<std::uint8_t> block;
  if (!file.Read(kTagBytes, block)) {
    PostStampedMessage(L"SEVERE: unable to read from the opened file\r\n");
    return kUnexpected;
  }
  block.resize(kTagBytes, 0);
  createdByCapture = IsCaptureTag(block);
  return kOk;
}

// Every frame, kept or dropped, has at least a chunk head of 8 bytes in the file, so a longer
// stream than the file can hold is a damaged header; its map would be a wrong count shown as right.
Status AviHeaderParser::CheckStreamLength(std::uint32_t length) {
  const bool sizeKnown = fileSize_ && *fileSize_ > 0;
  if (length <= kMaxTotalFrames && (!sizeKnown || length <= *fileSize_ / 8)) return kOk;
  PostStampedMessage(L"WARNING: AVI stream length is larger than the file can hold; file open aborted\r\n");
  return kAbort;
}

void AviHeaderParser::FillTexts(ByteSpan header) {
  SetCapped(info.totalFrames, std::to_wstring(totalFrames), AviFileInfo::kCountCapacity);
  SetCapped(info.frameSize, FrameSizeText(videoWidth, videoHeight), AviFileInfo::kFrameSizeCapacity);
  SetFrameRateText(info, Field(header, avi::kRateOffset), Field(header, avi::kScaleOffset));
  SetCapped(info.codec, CodecText(Field(header, avi::kHandlerOffset), Field(header, avi::kBiCompressionOffset)),
            AviFileInfo::kCodecCapacity);
  if (createdByCapture) {
    SetCapped(info.keyFrames, std::to_wstring(keyFrames), AviFileInfo::kCountCapacity);
    SetCapped(info.droppedFrames, std::to_wstring(droppedFrames), AviFileInfo::kCountCapacity);
  } else {
    info.keyFrames = info.droppedFrames = L"unknown";
  }
}

std::vector<std::uint32_t> AviHeaderParser::DroppedFrameNumbers() const {
  std::vector<std::uint32_t> numbers;
  if (!createdByCapture) return numbers;
  for (std::uint32_t i = 0; i < totalFrames && i < frameIsKey.size(); ++i) {
    if (frameIsKey[i] == 0) numbers.push_back(i);
  }
  return numbers;
}

}  // namespace zuna
