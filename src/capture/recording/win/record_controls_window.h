#pragma once
// The "Record" window with its Start Recording and Stop Recording buttons. It cannot be closed; it
// is shown once a device is in use.
#include <windows.h>

namespace zuna {

class CommonWindows;

class RecordControlsWindow {
 public:
  RecordControlsWindow(CommonWindows& common, HINSTANCE instance) : common_(common), instance_(instance) {}

  // Creates the hidden window and its two buttons, both disabled. False when any of them failed.
  bool Create();
  // Shows the window on top with the buttons as the recording state leaves them.
  void Show();
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  CommonWindows& common_;
  HINSTANCE instance_;
  HWND window_ = nullptr;
  HWND startButton_ = nullptr;
  HWND stopButton_ = nullptr;
};

}  // namespace zuna
