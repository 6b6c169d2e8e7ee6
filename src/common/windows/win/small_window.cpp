#include "common/windows/win/small_window.h"

#include "common/windows/win/silver_look.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {

bool SmallWindow::CreateFrame(CommonWindows& common, const SmallWindowFrame& frame) {
  common_ = &common;
  silverStatics_ = frame.silverStatics;
  HINSTANCE instance = common.Instance();
  RegisterWindowClass(instance, frame.className, Proc, frame.classStyle,
                      frame.background != nullptr ? frame.background : SilverBrush());
  window_ = CreateWindowExW(frame.exStyle, frame.className, frame.title, frame.style, 0, 0, frame.width, frame.height,
                            nullptr, nullptr, instance, this);
  if (window_ == nullptr) return false;
  common.ApplyIcons(window_);
  return true;
}

LRESULT CALLBACK SmallWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<SmallWindow>(window, message, lParam);
  // Until CreateWindowExW returns, the window is not the object's yet.
  if (self == nullptr || self->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT SmallWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  TrackWindowMove(common_->Common(), window_, message);
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kHelpCommand && helpPage_) {
        // Beside this window, unless the user or the options file gave the document a place.
        common_->Help().Show(*helpPage_, window_, false);
        return 0;
      }
      break;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_CTLCOLORSTATIC:
      if (silverStatics_) return BlackOnSilver(wParam);
      break;
    default:
      break;
  }
  if (const std::optional<LRESULT> result = OnMessage(message, wParam, lParam)) return *result;
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace zuna
