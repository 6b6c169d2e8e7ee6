#include "playback/control/playback_player.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

void Report(const wchar_t* text) {
  PostStampedMessage(text);
}

// "%#x" of a status: 0 alone, otherwise 0x and lower-case hex digits.
std::wstring HexCode(Status status) {
  const auto value = static_cast<std::uint32_t>(status);
  if (value == 0) return L"0";
  wchar_t digits[16] = {};
  std::swprintf(digits, 16, L"%#x", static_cast<unsigned>(value));
  return digits;
}

}  // namespace

PlaybackPlayer::PlaybackPlayer(PlaybackGraph& graph, CommonState& state) : graph_(graph), common_(state) {}

void PlaybackPlayer::Open(FrameMap map) {
  map_ = std::move(map);
  position_ = 0;
  state_ = PlayerState::kStopped;
  nextDroppedExists_ = previousDroppedExists_ = false;
}

void PlaybackPlayer::Close() {
  Open(FrameMap());
}

FrameNumber PlaybackPlayer::ProcessPlaybackCommand(int command) {
  if (!graph_.EnsureMediaSeeking()) {
    Report(L"Logic error: IMediaSeeking interface is NULL in ProcessPlaybackCommand\r\n");
    return Stay();
  }
  nextDroppedExists_ = previousDroppedExists_ = false;
  if (!IsPlaybackCommand(command)) {
    Report(L"Logic error: video player ProcessPlaybackCommand case is not handled\r\n");
    return Stay();
  }
  switch (static_cast<PlaybackCommand>(command)) {
    case PlaybackCommand::kStartPlayback:
      return Start();
    case PlaybackCommand::kPausePlayback:
      return PauseAndRead();
    case PlaybackCommand::kBeginningOfFile:
      return GoToBeginning();
    case PlaybackCommand::kEndOfFile:
      return GoToEnd();
    case PlaybackCommand::kForwardOneFrame:
      return Step(true, false);
    case PlaybackCommand::kBackOneFrame:
      return Step(false, false);
    case PlaybackCommand::kNextDroppedFrame:
      return Step(true, true);
    case PlaybackCommand::kPreviousDroppedFrame:
      return Step(false, true);
    case PlaybackCommand::kRefreshPosition:
      return Refresh();
    default:  // the slider commands and NoFile are the main window's alone
      return 0;
  }
}

void PlaybackPlayer::SetOpenFilePosition(FrameNumber frame) {
  if (!graph_.EnsureMediaSeeking()) {
    Report(L"Logic error: IMediaSeeking interface is NULL in SetOpenFilePosition\r\n");
    return;
  }
  const FrameNumber previous = position_;
  position_ = Clamp(frame);
  if (!Seek(position_)) position_ = previous;
  SetNeighbourFlags();
}

FrameNumber PlaybackPlayer::Start() {
  if (!Seek(position_) || !RunGraph()) return Stay();
  return position_;
}

FrameNumber PlaybackPlayer::PauseAndRead() {
  if (!PauseGraph()) return Stay();
  FrameNumber frame = position_;
  if (ReadGraphPosition(frame)) position_ = frame;
  SetNeighbourFlags();
  return position_;
}

FrameNumber PlaybackPlayer::GoToBeginning() {
  if (!PauseGraph()) return Stay();
  const FrameNumber previous = position_;
  position_ = 0;
  if (!Seek(0)) {
    position_ = previous;
    return Stay();
  }
  SetNeighbourFlags();
  return 0;
}

FrameNumber PlaybackPlayer::GoToEnd() {
  position_ = LastFrame();
  if (Failed(graph_.Stop())) {
    Report(L"WARNING: attempt to stop filter graph failed\r\n");
    return position_;
  }
  state_ = PlayerState::kStopped;
  if (Seek(position_)) SetNeighbourFlags();
  return position_;
}

// Stepping skips dropped frames (they have no picture of their own); the dropped-frame jumps
// stop only on them. Both stop at the ends of the file.
FrameNumber PlaybackPlayer::Step(bool forward, bool toDropped) {
  const FrameNumber previous = position_;
  const FrameNumber last = LastFrame();
  FrameNumber frame = position_;
  if (forward && frame < last) {
    frame = toDropped ? map_.NextDropped(frame) : frame + 1;
    while (!toDropped && frame < last && !map_.IsKey(frame)) ++frame;
  } else if (!forward && frame > 0) {
    frame = toDropped ? map_.PreviousDropped(frame) : frame - 1;
    while (!toDropped && frame > 0 && !map_.IsKey(frame)) --frame;
  }
  position_ = frame;
  if (!Seek(frame)) {
    position_ = previous;
    return Stay();
  }
  SetNeighbourFlags();
  return position_;
}

FrameNumber PlaybackPlayer::Refresh() {
  Seek(position_);  // redraws the paused frame; a failure is reported and changes nothing
  return Stay();
}

bool PlaybackPlayer::PauseToShowFrame() {
  return PauseGraph();
}

void PlaybackPlayer::StopGraph() {
  if (Failed(graph_.Stop())) {
    Report(L"WARNING: attempt to stop filter graph failed\r\n");
    return;
  }
  state_ = PlayerState::kStopped;
}

bool PlaybackPlayer::ReadGraphPosition(FrameNumber& frame) {
  FrameNumber read = 0;
  if (!graph_.EnsureMediaSeeking() || Failed(graph_.GetCurrentPosition(read))) {
    Report(L"WARNING: media seeking failed to get current position\r\n");
    return false;
  }
  frame = Clamp(read);
  return true;
}

bool PlaybackPlayer::Seek(FrameNumber frame) {
  if (Succeeded(graph_.SetCurrentPosition(frame))) return true;
  Report(L"WARNING: media seeking failed to set current position\r\n");
  return false;
}

bool PlaybackPlayer::PauseGraph() {
  if (!graph_.HasMediaControl()) {
    Report(L"Logic error: attempt to pause filter graph with a NULL media control interface\r\n");
  } else if (Failed(graph_.Pause())) {
    Report(L"WARNING: attempt to pause filter graph failed\r\n");
  } else {
    state_ = PlayerState::kPaused;
    return true;
  }
  Report(L"WARNING: failure to pause filter graph\r\n");
  return false;
}

bool PlaybackPlayer::RunGraph() {
  if (!graph_.HasMediaControl()) {
    Report(L"Logic error: attempt to run filter graph with a NULL media control interface\r\n");
    return false;
  }
  if (graph_.IsRunning()) {
    Report(L"Logic error: attempt to run filter graph that is already running\r\n");
    state_ = PlayerState::kRunning;  // it runs: the caller must treat it as playing
    return true;
  }
  const Status status = graph_.Run();
  if (Failed(status)) {
    PostStampedMessage(L"SEVERE: attempt to run filter graph failed\r\n\terror value: " + HexCode(status) + L"\r\n");
    return false;
  }
  state_ = PlayerState::kRunning;
  return true;
}

FrameNumber PlaybackPlayer::Clamp(FrameNumber frame) const {
  return std::clamp<FrameNumber>(frame, 0, LastFrame());
}

void PlaybackPlayer::SetNeighbourFlags() {
  nextDroppedExists_ = map_.DroppedAfter(position_);
  previousDroppedExists_ = map_.DroppedBefore(position_);
}

FrameNumber PlaybackPlayer::Stay() {
  SetNeighbourFlags();
  return position_;
}

}  // namespace zuna
