#pragma once
// The playback program's "Miscellaneous Options" window. Closing it hides it.
#include <windows.h>

namespace zuna {

class CommonWindows;

class PlaybackOptionsWindow {
 public:
  // Creates the hidden window; on failure sets the fatal flag and posts why.
  bool Create(CommonWindows& common, HINSTANCE instance);
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
};

}  // namespace zuna
