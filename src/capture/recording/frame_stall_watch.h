#pragma once
// Whether a recording's camera still delivers. The count of frames the recording sink was handed
// must grow within two seconds of the recording's start and of the last frame before (beyond the
// gap a time lapse leaves between the frames it keeps); a camera that was unplugged or whose driver
// stalled stops it growing.
#include <cstdint>

#include "common/time/file_time.h"

namespace zuna {

class FrameStallWatch {
 public:
  static constexpr FileTime kStallLimit = 2 * kTicksPerSecond;

  // The recording begins now, with no frame yet; `gap`: the time its frames may lie apart.
  void Start(FileTime now, FileTime gap = 0);
  // The sink's count at `now`; true once it has not grown for the limit.
  bool Stalled(std::uint64_t framesReceived, FileTime now);

 private:
  std::uint64_t frames_ = 0;
  FileTime lastChange_ = 0;
  FileTime limit_ = kStallLimit;
};

}  // namespace zuna
