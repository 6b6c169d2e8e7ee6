#pragma once
// The "Playback" controls window as the controller leaves it: which controls are enabled, the
// slider, the frame-number line and the window size. The Win32 window applies this state.
#include <array>
#include <cstddef>
#include <string>

#include "playback/control/frame_map.h"

namespace zuna {

inline constexpr int kControlsWindowWidth = 636;
inline constexpr int kControlsWindowWideWidth = 842;  // shows the "<" and ">" buttons
inline constexpr int kControlsWindowHeight = 230;
inline constexpr int kSliderWidth = 614;  // the slider and the frame-number line
inline constexpr int kSliderWideWidth = 820;

enum class PlaybackButton : std::size_t {
  kStartPlayback,
  kPause,
  kBeginningOfFile,
  kBackOneFrame,
  kForwardOneFrame,
  kEndOfFile,
  kPreviousDroppedFrame,  // "<"
  kNextDroppedFrame,      // ">"
};
inline constexpr std::size_t kPlaybackButtonCount = 8;

struct PlaybackControlsState {
  std::array<bool, kPlaybackButtonCount> buttonEnabled{};
  bool sliderEnabled = false;
  FrameNumber sliderMaximum = 0;  // range 0 .. maximum, page size 1
  FrameNumber sliderPosition = 0;
  int sliderWidth = kSliderWidth;  // the window recreates the slider when this changes
  std::wstring frameNumberText;
  int frameNumberWidth = kSliderWidth;
  int windowWidth = kControlsWindowWidth;
  int windowHeight = kControlsWindowHeight;

  bool Enabled(PlaybackButton button) const { return buttonEnabled[static_cast<std::size_t>(button)]; }
  void Enable(PlaybackButton button, bool on) { buttonEnabled[static_cast<std::size_t>(button)] = on; }
  bool operator==(const PlaybackControlsState&) const = default;
};

class PlaybackControlsView {
 public:
  virtual ~PlaybackControlsView() = default;
  virtual void Apply(const PlaybackControlsState& state) = 0;
  // Shows (and restores) the controls window.
  virtual void ShowWindow() = 0;
};

}  // namespace zuna
