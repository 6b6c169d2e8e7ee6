#pragma once
// The "View, Edit, Delete Events" window: its controls, and its messages handed to
// EventListController.
#include <windows.h>

#include <memory>

#include "capture/scheduling/event_list_controller.h"
#include "common/foundation/win/common_windows.h"
#include "common/windows/win/win_window_view.h"

namespace zuna {

class EventListWindow {
 public:
  // Creates the hidden window; `listFont` is the event list's. False when it could not be.
  bool Create(CommonWindows& common, HFONT font, HFONT listFont, const std::wstring& eventsFolder);
  void SetController(EventListController* controller) { controller_ = controller; }
  WinWindowView& View() { return *view_; }
  HWND Window() const { return window_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCommand(int id);
  void AddList(HFONT listFont);

  CommonWindows* common_ = nullptr;
  HWND window_ = nullptr;
  std::unique_ptr<WinWindowView> view_;
  EventListController* controller_ = nullptr;
};

}  // namespace zuna
