#pragma once
// The commands between the playback main window and the player, with their fixed numbers.

namespace zuna {

enum class PlaybackCommand : int {
  kStartPlayback = 0,
  kPausePlayback = 1,
  kBeginningOfFile = 2,
  kEndOfFile = 3,
  kForwardOneFrame = 4,
  kBackOneFrame = 5,
  kNextDroppedFrame = 7,
  kPreviousDroppedFrame = 8,
  kSliderForward = 9,
  kSliderBackward = 10,
  kSliderReleased = 11,
  kRefreshPosition = 12,
  kNoFile = 13,
};

constexpr int CommandNumber(PlaybackCommand c) {
  return static_cast<int>(c);
}

// Numbers arrive in window messages: 6 and anything outside 0..13 name no command.
constexpr bool IsPlaybackCommand(int number) {
  return number >= 0 && number <= 13 && number != 6;
}

enum class PlayerState : int { kRunning = 1, kStopped = 2, kPaused = 3 };

}  // namespace zuna
