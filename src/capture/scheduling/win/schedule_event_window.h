#pragma once
// The "Schedule Event" window: its controls, and its messages handed to ScheduleEventController.
#include <windows.h>

#include "capture/scheduling/schedule_event_controller.h"
#include "common/windows/win/dialog_window.h"

namespace zuna {

class ScheduleEventWindow {
 public:
  // Creates the hidden window; false when it could not be.
  bool Create(CommonWindows& common, HFONT font);
  void SetController(ScheduleEventController* controller);
  WinWindowView& View() { return window_.View(); }
  HWND Window() const { return window_.Window(); }

 private:
  void AddControls();

  DialogWindow window_;
};

}  // namespace zuna
