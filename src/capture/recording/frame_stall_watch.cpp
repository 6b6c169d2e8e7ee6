#include "capture/recording/frame_stall_watch.h"

namespace zuna {

void FrameStallWatch::Start(FileTime now, FileTime gap) {
  frames_ = 0;
  lastChange_ = now;
  limit_ = kStallLimit + gap;
}

bool FrameStallWatch::Stalled(std::uint64_t framesReceived, FileTime now) {
  // The computer's clock set back is no reason to stop a recording: the wait begins again.
  if (framesReceived != frames_ || now < lastChange_) {
    frames_ = framesReceived;
    lastChange_ = now;
    return false;
  }
  return now - lastChange_ >= limit_;
}

}  // namespace zuna
