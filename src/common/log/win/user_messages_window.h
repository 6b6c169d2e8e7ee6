#pragma once
// The "User Messages" window: a rich edit control that shows the log, and its File menu.
#include <windows.h>

#include "common/foundation/status.h"
#include "common/foundation/zuna_common.h"

namespace zuna {

inline constexpr UINT kDrainLogMessage = WM_APP + 0x51;

class UserMessagesWindow final : public UserMessagesSink {
 public:
  explicit UserMessagesWindow(ZunaCommon& common);

  // Creates the window, its menu and its text control; posts the FATAL texts on failure.
  Status Create(HINSTANCE instance, HICON largeIcon, HICON smallIcon, HBRUSH background);

  HWND Window() const { return window_; }
  HWND TextControl() const { return text_; }

  void Append(const std::wstring& entry) override;
  std::wstring Text() const override;
  void Clear() override;
  void RequestDrain() override;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool CreateTextControl(HINSTANCE instance);

  ZunaCommon& common_;
  HWND window_ = nullptr;
  HWND text_ = nullptr;
};

}  // namespace zuna
