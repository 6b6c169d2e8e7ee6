// Any bytes as an AVI file: the parser must neither crash nor report a frame map that does not
// match its own counts.
#include <cstdint>
#include <cstdlib>

#include "video/avi/avi_byte_source.h"
#include "video/avi/avi_file_report.h"
#include "video/avi/avi_header_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zuna::AviMemorySource source(zuna::ByteSpan(data, size));
  zuna::AviHeaderParser parser;
  if (zuna::Failed(parser.ParseAviHeader(source))) return 0;
  if (parser.frameIsKey.size() != static_cast<std::size_t>(parser.totalFrames) + 1 ||
      parser.keyFrames + parser.droppedFrames != parser.totalFrames || parser.totalFrames > size / 8) {
    std::abort();
  }
  if (parser.createdByCapture && parser.DroppedFrameNumbers().size() != parser.droppedFrames) std::abort();
  (void)zuna::FileInformationLines(parser.info);
  return 0;
}
