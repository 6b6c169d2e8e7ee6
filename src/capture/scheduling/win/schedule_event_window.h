#pragma once
// The "Schedule Event" window: its controls, and its messages handed to ScheduleEventController.
#include <windows.h>

#include <memory>

#include "capture/scheduling/schedule_event_controller.h"
#include "common/foundation/win/common_windows.h"
#include "common/windows/win/win_window_view.h"

namespace zuna {

class ScheduleEventWindow {
 public:
  // Creates the hidden window; false when it could not be.
  bool Create(CommonWindows& common, HFONT font);
  void SetController(ScheduleEventController* controller) { controller_ = controller; }
  WinWindowView& View() { return *view_; }
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id, int code);
  void AddControls(HFONT font);

  CommonWindows* common_ = nullptr;
  HWND window_ = nullptr;
  std::unique_ptr<WinWindowView> view_;
  ScheduleEventController* controller_ = nullptr;
};

}  // namespace zuna
