#include "playback/options/win/playback_options_window.h"

#include "common/foundation/win/common_windows.h"
#include "common/log/user_messages_log.h"
#include "common/windows/win/win_util.h"

namespace zuna {

bool PlaybackOptionsWindow::Create(CommonWindows& common, HINSTANCE instance) {
  RegisterWindowClass(instance, L"MiscellaneousOptions", Proc, 0, common.Background());
  window_ = CreateWindowExW(0, L"MiscellaneousOptions", L"Miscellaneous Options",
                            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 380, 210, nullptr, nullptr, instance, this);
  if (window_ == nullptr) {
    common.State().fatalStartupError = true;
    PostUserMessage(L"FATAL: cannot create Playback window", true);
    return false;
  }
  common.ApplyIcons(window_);
  return true;
}

LRESULT CALLBACK PlaybackOptionsWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    ShowWindow(window, SW_HIDE);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace zuna
