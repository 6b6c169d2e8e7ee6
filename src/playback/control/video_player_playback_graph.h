#pragma once
// PlaybackGraph over the video player: frame positions on the file source, run, pause and stop on
// the graph.
#include "playback/control/playback_graph.h"
#include "video/player/video_player.h"

namespace zuna {

class VideoPlayerPlaybackGraph final : public PlaybackGraph {
 public:
  explicit VideoPlayerPlaybackGraph(VideoPlayer& player) : player_(player) {}

  bool EnsureMediaSeeking() override;
  Status SetCurrentPosition(FrameNumber frame) override;
  Status GetCurrentPosition(FrameNumber& frame) override;
  bool HasMediaControl() const override { return player_.HasMediaControl(); }
  Status Run() override;
  Status Pause() override;
  Status Stop() override;
  bool IsRunning() const override { return player_.IsRunning(); }

 private:
  enum class GraphState { kStopped, kPaused, kRunning };

  VideoPlayer& player_;
  GraphState state_ = GraphState::kStopped;
  FrameNumber sought_ = 0;
};

}  // namespace zuna
