#include "common/windows/win/video_window.h"

#include "common/windows/win/win_util.h"

namespace zuna {

namespace {
constexpr wchar_t kVideoWindowClass[] = L"Clipping Window Class";
}  // namespace

bool VideoWindow::Create(HINSTANCE instance, HWND parent, std::function<void()> uncovered) {
  uncovered_ = std::move(uncovered);
  RegisterWindowClass(instance, kVideoWindowClass, Proc, 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  window_ = CreateWindowExW(0, kVideoWindowClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, parent, nullptr, instance,
                            this);
  return window_ != nullptr;
}

LRESULT CALLBACK VideoWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<VideoWindow>(window, message, lParam);
  const bool wanted = self != nullptr && self->wantsClicks_ && self->wantsClicks_();
  if (message == WM_SETCURSOR && wanted && LOWORD(lParam) == HTCLIENT) {
    SetCursor(LoadCursorW(nullptr, IDC_CROSS));
    return TRUE;
  }
  if (message == WM_LBUTTONDOWN && wanted && self->clicked_) {
    self->clicked_(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
    return 0;
  }
  if (message != WM_PAINT || self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  EndPaint(window, &paint);
  if (self->uncovered_) self->uncovered_();
  return 0;
}

}  // namespace zuna
