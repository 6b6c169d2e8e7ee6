// The window renderer's conversion of a frame whose header and data come from another filter: the
// first five bytes choose the subtype and the size, the rest is the frame. Whatever they say, the
// conversion reads nothing past the data and writes nothing past its picture.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "video/frames/display_frame.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 5) return 0;
  zuna::DisplayFrameFormat format;
  format.subtype = data[0] % 3 == 0 ? zuna::FrameSubtype::kYuy2
                                    : (data[0] % 3 == 1 ? zuna::FrameSubtype::kRgb32 : zuna::FrameSubtype::kOther);
  // Sizes up to 1023 both ways, heights of either sign, so the data can be short or long enough.
  format.width = ((data[1] << 8) | data[2]) % 1024;
  const int rows = ((data[3] << 8) | data[4]) % 2048;
  format.height = rows - 1024;
  const std::span<const std::uint8_t> frame(data + 5, size - 5);
  std::vector<std::uint8_t> pixels;
  const zuna::Status status = zuna::ConvertToDisplayFrame(format, frame, &pixels);
  const std::size_t expected =
      static_cast<std::size_t>(format.width) * 4 * static_cast<std::size_t>(std::abs(format.height));
  if (zuna::Succeeded(status) && pixels.size() != expected) std::abort();
  if (zuna::Failed(status) && !pixels.empty()) std::abort();
  return 0;
}
