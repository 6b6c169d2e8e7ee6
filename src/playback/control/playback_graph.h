#pragma once
// What the player needs of the filter graph: media seeking in the frame time format and media
// control. The video player implements it over DirectShow; tests use a fake.
#include "common/foundation/status.h"
#include "playback/control/frame_map.h"

namespace zuna {

class PlaybackGraph {
 public:
  virtual ~PlaybackGraph() = default;

  // Obtains the media-seeking interface when it is not yet held; reports its own failure.
  virtual bool EnsureMediaSeeking() = 0;
  // Absolute current position in frames, no stop position.
  virtual Status SetCurrentPosition(FrameNumber frame) = 0;
  virtual Status GetCurrentPosition(FrameNumber& frame) = 0;

  virtual bool HasMediaControl() const = 0;
  virtual Status Run() = 0;
  virtual Status Pause() = 0;
  virtual Status Stop() = 0;
  virtual bool IsRunning() const = 0;
};

}  // namespace zuna
