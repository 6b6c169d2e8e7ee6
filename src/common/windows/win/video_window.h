#pragma once
// The black child window that the renderer draws the video into, one class for both programs.
// Whenever it is uncovered, moved or resized its owner is told, so that the frame on show is drawn
// again instead of being left black until the next frame.
#include <windows.h>

#include <functional>

namespace zuna {

class VideoWindow {
 public:
  VideoWindow() = default;
  VideoWindow(const VideoWindow&) = delete;
  VideoWindow& operator=(const VideoWindow&) = delete;

  // False when the window could not be made.
  bool Create(HINSTANCE instance, HWND parent, std::function<void()> uncovered);
  // A left click in the window, at its client pixel; while `wantsClicks` holds, the cursor is a cross.
  void SetClickHandler(std::function<bool()> wantsClicks, std::function<void(int x, int y)> clicked) {
    wantsClicks_ = std::move(wantsClicks);
    clicked_ = std::move(clicked);
  }
  HWND Handle() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND window_ = nullptr;
  std::function<void()> uncovered_;
  std::function<bool()> wantsClicks_;
  std::function<void(int x, int y)> clicked_;
};

}  // namespace zuna
