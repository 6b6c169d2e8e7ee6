#pragma once
// The "View, Edit, Delete Events" window: its controls, and its messages handed to
// EventListController.
#include <windows.h>

#include <string>

#include "capture/scheduling/event_list_controller.h"
#include "common/windows/win/dialog_window.h"

namespace zuna {

class EventListWindow {
 public:
  // Creates the hidden window; `listFont` is the event list's. False when it could not be.
  bool Create(CommonWindows& common, HFONT font, HFONT listFont, const std::wstring& eventsFolder);
  void SetController(EventListController* controller);
  WinWindowView& View() { return window_.View(); }
  HWND Window() const { return window_.Window(); }

 private:
  void AddList(HFONT font, HFONT listFont);

  DialogWindow window_;
};

}  // namespace zuna
