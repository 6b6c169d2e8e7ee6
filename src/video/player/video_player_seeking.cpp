// Media seeking in frames: the graph's interface, and positions on the file source.
#include "video/player/video_player.h"
#include "video/player/video_player_messages.h"

namespace zuna {

using player_detail::Fail;

Status VideoPlayer::SetMediaSeekingInterface() {
  if (!hasGraph_) return Fail(L"Logic error: call to SetMediaSeekingInterface has NULL filter graph member\r\n");
  if (Failed(graph_.GetMediaSeeking())) return Fail(L"FATAL: unable to set media seeking interface\r\n");
  hasMediaSeeking_ = true;
  return kOk;
}

// Silent: the caller names the step that needed it.
Status VideoPlayer::SetFrameTimeFormat() {
  hasFrameTimeFormat_ = false;
  if (!hasMediaSeeking_ || !sourceFilter_) return kFail;
  const Status status = graph_.SetFrameTimeFormat(sourceFilter_);
  if (Failed(status)) return status;
  hasFrameTimeFormat_ = true;
  return kOk;
}

Status VideoPlayer::SetCurrentFrame(std::int64_t frame) {
  if (!hasFrameTimeFormat_ || frame < 0) return kFail;
  return graph_.SetCurrentFrame(frame);
}

Status VideoPlayer::GetCurrentFrame(std::int64_t& frame) {
  if (!hasFrameTimeFormat_) return kFail;
  std::int64_t read = 0;
  const Status status = graph_.GetCurrentFrame(&read);
  if (Failed(status)) return status;
  frame = read;
  return kOk;
}

}  // namespace zuna
