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
  // Palette changes lie inside the file, come in frame order, and read at most a whole palette.
  std::uint32_t previous = 0;
  for (std::size_t i = 0; i < reader.PaletteChanges().size(); ++i) {
    const zuna::AviPaletteChange& change = reader.PaletteChanges()[i];
    if (change.offset > size || change.size > size - change.offset || change.fromFrame < previous) std::abort();
    if (change.fromFrame > count) std::abort();
    previous = change.fromFrame;
    if (i < 64 && zuna::Succeeded(reader.ReadPaletteChange(source, i, bytes)) && bytes.size() > 4 + 256 * 4) {
      std::abort();
    }
  }
  const zuna::AviFrameClock clock(reader.Format().rate, reader.Format().scale);
  if (clock.FrameAt(clock.StartTime(count)) > count) std::abort();
  return 0;
}
