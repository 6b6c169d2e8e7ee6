#include "common/windows/win/hover_path.h"

#include <commctrl.h>

#include <string>

#include "common/log/user_messages_log.h"
#include "common/windows/win/child_controls.h"
#include "common/windows/win/win_util.h"

namespace zuna {
namespace {

constexpr DWORD kHoverMs = 750;

}  // namespace

HWND HoverPath::Create(HWND parent, int id, int x, int y, int width, HFONT font) {
  width_ = width;
  path_ = AddControl(parent, L"STATIC", L"", SS_SUNKEN | SS_NOTIFY | SS_LEFTNOWORDWRAP, id, x, y, width, 22, font);
  if (path_ == nullptr) return nullptr;
  SetWindowSubclass(path_, Proc, 1, reinterpret_cast<DWORD_PTR>(this));
  box_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_BORDER, 0, 0, 10, 20, parent,
                         nullptr, reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
  if (box_ != nullptr && font != nullptr) SendMessageW(box_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return path_;
}

int HoverPath::TextWidth() const {
  const std::wstring text = WindowText(path_);
  HDC dc = GetDC(path_);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(path_, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(path_, dc);
  return size.cx;
}

void HoverPath::OnMouse(UINT message) {
  TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, path_, kHoverMs};
  if (message == WM_MOUSEMOVE && !tracking_ && TextWidth() > width_) {
    tracking_ = TrackMouseEvent(&track) != FALSE;
    if (!tracking_) PostUnstampedMessage(L"INFO: creating a tracking mouse hover event failed\r\n");
  } else if (message == WM_MOUSEHOVER && box_ != nullptr) {
    POINT at{};
    GetCursorPos(&at);
    SetWindowTextW(box_, WindowText(path_).c_str());
    SetWindowPos(box_, HWND_TOPMOST, at.x + 16, at.y + 16, TextWidth() + 60, 20, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  } else if (message == WM_MOUSELEAVE) {
    if (box_ != nullptr) ShowWindow(box_, SW_HIDE);
    if (tracking_) {
      track.dwFlags = TME_HOVER | TME_CANCEL;
      if (!TrackMouseEvent(&track)) PostUnstampedMessage(L"INFO: canceling a tracking mouse hover event failed\r\n");
    }
    tracking_ = false;
  }
}

LRESULT CALLBACK HoverPath::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR self) {
  if (message == WM_MOUSEMOVE || message == WM_MOUSEHOVER || message == WM_MOUSELEAVE) {
    reinterpret_cast<HoverPath*>(self)->OnMouse(message);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace zuna
