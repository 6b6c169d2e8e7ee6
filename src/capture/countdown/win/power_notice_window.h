#pragma once
// The "Hibernate" / "Shutdown" notice: the seconds left, an explanation and the cancel button,
// counted by a one-second window timer.
#include <windows.h>

#include "capture/countdown/power_notice_controller.h"
#include "common/windows/win/dialog_window.h"

namespace zuna {

class PowerNoticeWindow final : public PowerNoticeView {
 public:
  PowerNoticeWindow(CommonWindows& common, HINSTANCE instance, PowerControl& power);

  // `countFont` is Consolas 28, `textFont` Tahoma 18 (either may be null).
  bool Create(HFONT countFont, HFONT textFont);
  HWND Window() const { return window_.Window(); }
  PowerNoticeController& Controller() { return controller_; }

  void SetTitle(std::wstring_view text) override;
  void SetLabel(std::wstring_view text) override;
  void SetCount(std::wstring_view text) override;
  void SetExplanation(std::wstring_view text) override;
  void SetCancelText(std::wstring_view text) override;
  void StartTimer() override;
  void StopTimer() override;
  void Show() override;
  void Hide() override;

 private:
  void OnTimer(UINT_PTR timer);

  CommonWindows& common_;
  PowerNoticeController controller_;
  DialogWindow window_;
  HWND label_ = nullptr;
  HWND count_ = nullptr;
  HWND explanation_ = nullptr;
  HWND cancel_ = nullptr;
};

}  // namespace zuna
