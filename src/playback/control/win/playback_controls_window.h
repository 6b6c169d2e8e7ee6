#pragma once
// The "Playback" controls window: six buttons, the "<" and ">" dropped-frame buttons, the slider
// and the frame-number line. It shows the state the controller gives it and hands clicks and
// slider notifications to the main window.
#include <windows.h>

#include <array>
#include <functional>

#include "common/foundation/win/common_windows.h"
#include "playback/control/playback_controller.h"
#include "playback/control/playback_controls.h"

namespace zuna {

class PlaybackControlsWindow final : public PlaybackControlsView {
 public:
  struct Handlers {
    std::function<void(PlaybackButton)> button;
    std::function<void(SliderNotification, FrameNumber)> slider;
  };

  // Icons in the order start, pause, beginning, end, forward, back (a null icon shows the text).
  bool Create(CommonWindows& common, HINSTANCE instance, const std::array<HICON, 6>& icons, HFONT arrowFont);
  void SetHandlers(Handlers handlers) { handlers_ = std::move(handlers); }
  HWND Window() const { return window_; }

  void Apply(const PlaybackControlsState& state) override;
  void ShowWindow() override;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateButtons(const std::array<HICON, 6>& icons, HFONT arrowFont);
  bool CreateSlider(int width);
  void ApplySlider(const PlaybackControlsState& state);
  void OnScroll(WPARAM wParam, LPARAM lParam);

  CommonWindows* common_ = nullptr;
  HINSTANCE instance_ = nullptr;
  Handlers handlers_;
  HWND window_ = nullptr;
  std::array<HWND, kPlaybackButtonCount> buttons_{};  // in PlaybackButton order
  HWND slider_ = nullptr;
  HWND frameNumberLine_ = nullptr;
  PlaybackControlsState shown_;
  bool appliedOnce_ = false;
};

}  // namespace zuna
