#pragma once
// The "Record" window with its Start Recording and Stop Recording buttons. It cannot be closed; it
// is shown once a device is in use. The buttons hand their presses to the recording controller.
#include <windows.h>

#include <functional>

namespace zuna {

class CommonWindows;
struct CaptureIcons;

class RecordControlsWindow {
 public:
  struct Callbacks {
    std::function<void()> start;
    std::function<void()> stop;
  };

  RecordControlsWindow(CommonWindows& common, HINSTANCE instance) : common_(common), instance_(instance) {}

  // Creates the hidden window and its two buttons, Start enabled and Stop disabled. False when any
  // of them failed.
  bool Create(const CaptureIcons& icons, Callbacks callbacks);
  // Shows the window on top with the buttons as the recording state leaves them.
  // 264 by 164 with the buttons 20 pixels in from the edges, or 224 by 144 with none.
  void SpaceButtons(bool spaced);
  void Show();
  void Hide();
  void SetButtons(bool startEnabled, bool stopEnabled);
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  CommonWindows& common_;
  HINSTANCE instance_;
  Callbacks callbacks_;
  HWND window_ = nullptr;
  HWND startButton_ = nullptr;
  HWND stopButton_ = nullptr;
};

}  // namespace zuna
