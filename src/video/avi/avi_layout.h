#pragma once
// Where things stand in an AVI file whose header list opens with a 56-byte main header and one
// stream list with a 56-byte stream header. The playback program checks these fixed places, and
// the capture writer puts everything exactly there.
#include <cstdint>

#include "video/avi/riff_bytes.h"

namespace zuna::avi {

inline constexpr std::uint32_t kRiff = FourCc("RIFF");
inline constexpr std::uint32_t kAvi = FourCc("AVI ");
inline constexpr std::uint32_t kAvix = FourCc("AVIX");
inline constexpr std::uint32_t kList = FourCc("LIST");
inline constexpr std::uint32_t kHdrl = FourCc("hdrl");
inline constexpr std::uint32_t kAvih = FourCc("avih");
inline constexpr std::uint32_t kStrl = FourCc("strl");
inline constexpr std::uint32_t kStrh = FourCc("strh");
inline constexpr std::uint32_t kStrf = FourCc("strf");
inline constexpr std::uint32_t kVids = FourCc("vids");
inline constexpr std::uint32_t kIndx = FourCc("indx");
inline constexpr std::uint32_t kOdml = FourCc("odml");
inline constexpr std::uint32_t kDmlh = FourCc("dmlh");
inline constexpr std::uint32_t kInfo = FourCc("INFO");
inline constexpr std::uint32_t kIart = FourCc("IART");
inline constexpr std::uint32_t kMovi = FourCc("movi");
inline constexpr std::uint32_t kIdx1 = FourCc("idx1");
inline constexpr std::uint32_t kIx00 = FourCc("ix00");
inline constexpr std::uint32_t kUncompressedChunk = FourCc("00db");
inline constexpr std::uint32_t kCompressedChunk = FourCc("00dc");

// Offsets from the start of the file.
inline constexpr std::uint32_t kRiffSizeOffset = 4;
inline constexpr std::uint32_t kHdrlSizeOffset = 16;
inline constexpr std::uint32_t kHdrlTypeOffset = 20;
inline constexpr std::uint32_t kAvihOffset = 24;
inline constexpr std::uint32_t kMicroSecPerFrameOffset = 32;
inline constexpr std::uint32_t kMaxBytesPerSecOffset = 36;
inline constexpr std::uint32_t kAvihFlagsOffset = 44;
inline constexpr std::uint32_t kTotalFramesOffset = 48;
inline constexpr std::uint32_t kAvihBufferSizeOffset = 60;
inline constexpr std::uint32_t kWidthOffset = 64;
inline constexpr std::uint32_t kHeightOffset = 68;
inline constexpr std::uint32_t kStrlListOffset = 88;
inline constexpr std::uint32_t kStrlListSizeOffset = 92;
inline constexpr std::uint32_t kStrlTypeOffset = 96;
inline constexpr std::uint32_t kStrhOffset = 100;
inline constexpr std::uint32_t kHandlerOffset = 112;
inline constexpr std::uint32_t kScaleOffset = 128;
inline constexpr std::uint32_t kRateOffset = 132;
inline constexpr std::uint32_t kLengthOffset = 140;
inline constexpr std::uint32_t kStrhBufferSizeOffset = 144;
inline constexpr std::uint32_t kStrfOffset = 164;
inline constexpr std::uint32_t kBiSizeOffset = 172;
inline constexpr std::uint32_t kBiCompressionOffset = 188;

// The header list's data begins at offset 20; whatever follows it starts at 20 + its size.
inline constexpr std::uint32_t kHdrlDataOffset = 20;

// Both OpenDML index kinds keep their entries behind a 32-byte head.
inline constexpr std::uint32_t kIndexHeadBytes = 32;
inline constexpr std::uint32_t kIndexLongsOffset = 8;
inline constexpr std::uint32_t kIndexEntriesInUseOffset = 12;
inline constexpr std::uint16_t kSuperIndexLongs = 4;     // qwOffset, dwSize, dwDuration
inline constexpr std::uint16_t kStandardIndexLongs = 2;  // dwOffset, dwSize
inline constexpr std::uint32_t kNotKeyFrameBit = 0x80000000u;

inline constexpr std::uint32_t kAvifHasIndex = 0x10;
inline constexpr std::uint32_t kAvifIsInterleaved = 0x100;
inline constexpr std::uint32_t kAviifKeyFrame = 0x10;

// The capture program's tag: an IART entry naming it, directly after the header list.
inline constexpr char kCaptureTagText[] = "ZUNA Video Capture";
inline constexpr std::uint32_t kCaptureTagLength = sizeof(kCaptureTagText) - 1;  // 18 characters
inline constexpr std::uint32_t kTagInfoOffset = 8;
inline constexpr std::uint32_t kTagIartOffset = 12;
inline constexpr std::uint32_t kTagSizeOffset = 16;
inline constexpr std::uint32_t kTagTextOffset = 20;

}  // namespace zuna::avi
