#pragma once
// The line of text under the slider: the frame number and what kind of frame it is. Its leading
// blanks centre it in the 614-pixel field (820 pixels with the dropped-frame control on).
#include <string>

#include "playback/control/frame_map.h"

namespace zuna {

struct FrameNumberLineFacts {
  bool fileOpen = false;
  FrameNumber displayed = 0;
  FrameNumber lastFrame = 0;
  bool fileHasDroppedFrames = false;
  bool droppedFramesControl = false;
  bool isKey = true;
};

std::wstring FrameNumberLineText(const FrameNumberLineFacts& facts);

}  // namespace zuna
