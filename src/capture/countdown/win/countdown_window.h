#pragma once
// The "Event Pending" window: a label, the countdown digits and the three lines of the pending
// event's start, event and end times, black on silver. It cannot be closed; it is hidden when no
// event is pending.
#include <windows.h>

#include <string_view>

#include "common/windows/win/dialog_window.h"

namespace zuna {

class CountdownWindow {
 public:
  CountdownWindow(CommonWindows& common, HINSTANCE) : common_(common) {}

  // `digitsFont` is the Lucida Console 48 font (or null for the system font).
  bool Create(HFONT digitsFont);
  HWND Window() const { return window_.Window(); }

  void SetTitle(std::wstring_view text);
  void SetLabel(std::wstring_view text);
  void SetDigits(std::wstring_view text);
  void SetInformationLines(std::wstring_view start, std::wstring_view event, std::wstring_view end);
  // A warning line under the three lines, the window grown to show it; an empty text takes both back.
  void SetWarning(std::wstring_view text);
  // At its saved position, redrawn.
  void Show();
  void Hide();

 private:
  CommonWindows& common_;
  DialogWindow window_;
  HWND label_ = nullptr;
  HWND digits_ = nullptr;
  HWND lines_[3] = {};
  HWND warning_ = nullptr;
};

}  // namespace zuna
