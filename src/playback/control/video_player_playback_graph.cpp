#include "playback/control/video_player_playback_graph.h"

namespace zuna {

bool VideoPlayerPlaybackGraph::EnsureMediaSeeking() {
  if (!player_.HasMediaSeeking()) player_.SetMediaSeekingInterface();
  return player_.HasMediaSeeking();
}

Status VideoPlayerPlaybackGraph::SetCurrentPosition(FrameNumber frame) {
  const Status status = player_.SetCurrentFrame(frame);
  if (Succeeded(status)) sought_ = frame;
  return status;
}

Status VideoPlayerPlaybackGraph::GetCurrentPosition(FrameNumber& frame) {
  return player_.GetCurrentFrame(frame);
}

// Seeks go to the source, which stamps a new segment from zero, while a paused graph would go on
// with the stream time of its last run and so show every frame late. Stopping first makes the
// graph start its stream time again, at the frame last sought.
Status VideoPlayerPlaybackGraph::Run() {
  if (state_ == GraphState::kPaused) {
    const Status stopped = Stop();
    if (Failed(stopped)) return stopped;
    if (Failed(player_.SetCurrentFrame(sought_))) return kFail;
  }
  const Status status = player_.Run();
  if (Succeeded(status)) state_ = GraphState::kRunning;
  return status;
}

Status VideoPlayerPlaybackGraph::Pause() {
  const Status status = player_.Pause();
  if (Succeeded(status)) state_ = GraphState::kPaused;
  return status;
}

Status VideoPlayerPlaybackGraph::Stop() {
  const Status status = player_.Stop();
  if (Succeeded(status)) state_ = GraphState::kStopped;
  return status;
}

}  // namespace zuna
