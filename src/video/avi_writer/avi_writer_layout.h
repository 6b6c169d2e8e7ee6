#pragma once
// The bytes an AviWriter puts before its first frame, and where the fields it later brings up to
// date stand: header list (main header, stream list with header, format and OpenDML super index,
// OpenDML extended header), the INFO list with the capture tag, and the head of the "movi" list.
#include <cstdint>
#include <vector>

#include "video/avi_writer/avi_video_format.h"

namespace zuna {

struct AviWriterLayout {
  std::vector<std::uint8_t> bytes;
  std::uint64_t superIndexOffset = 0;  // the "indx" chunk
  std::uint32_t superIndexCapacity = 0;
  std::uint64_t dmlhTotalFramesOffset = 0;
  std::uint64_t moviListOffset = 0;  // "LIST" of the first "movi" list
};

AviWriterLayout BuildAviWriterLayout(const AviVideoFormat& format, std::uint32_t superIndexCapacity);

// The head of a standard index chunk with room for `capacity` entries, none in use.
std::vector<std::uint8_t> StandardIndexHead(std::uint32_t chunkId, std::uint32_t capacity, std::uint64_t baseOffset);

// "RIFF" size "AVIX" "LIST" size "movi": the start of a further part of the file.
std::vector<std::uint8_t> ExtensionPartHead();

}  // namespace zuna
