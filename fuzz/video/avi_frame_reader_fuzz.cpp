// Any bytes as an AVI file for playback: the frame reader must neither crash nor hand out a frame
// whose bytes lie outside the file, and its answers about frames must stay inside the stream.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "video/avi/avi_byte_source.h"
#include "video/avi_reader/avi_frame_clock.h"
#include "video/avi_reader/avi_frame_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zuna::AviMemorySource source(zuna::ByteSpan(data, size));
  zuna::AviFrameReader reader;
  if (zuna::Failed(reader.Open(source))) {
    if (reader.FrameCount() != 0) std::abort();
    return 0;
  }
  const std::uint32_t count = reader.FrameCount();
  if (count > size / 8 + 1) std::abort();
  std::uint32_t largest = 0;
  for (const zuna::AviFrameEntry& frame : reader.Frames()) {
    if (frame.offset > size || frame.size > size - frame.offset) std::abort();
    if (frame.size == 0 && frame.key) std::abort();
    if (frame.size > largest) largest = frame.size;
  }
  if (largest != reader.LargestFrameBytes()) std::abort();
  std::vector<std::uint8_t> bytes;
  for (std::uint32_t i = 0; i < count && i < 64; ++i) {
    if (zuna::Succeeded(reader.ReadFrame(source, i, bytes)) && bytes.size() != reader.Frames()[i].size) std::abort();
    const auto picture = reader.PictureFrame(i);
    if (picture && (*picture >= count || reader.Frames()[*picture].size == 0)) std::abort();
    if (picture && reader.DecodeStart(*picture) > *picture) std::abort();
  }
  const zuna::AviFrameClock clock(reader.Format().rate, reader.Format().scale);
  if (clock.FrameAt(clock.StartTime(count)) > count) std::abort();
  return 0;
}
