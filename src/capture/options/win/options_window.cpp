#include "capture/options/win/options_window.h"

#include <commctrl.h>

#include "common/log/user_messages_log.h"
#include "common/windows/win/child_controls.h"
#include "common/windows/win/place_window.h"
#include "common/windows/win/silver_look.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {
namespace {

constexpr wchar_t kClassName[] = L"Capture Options Window Class";
constexpr int kHelpCommand = 499;
constexpr DWORD kHoverMs = 750;

}  // namespace

bool OptionsWindow::Create(CommonWindows& common, HFONT font, const wchar_t* title, int width, int height) {
  common_ = &common;
  font_ = font;
  HINSTANCE instance = common.Instance();
  RegisterWindowClass(instance, kClassName, Proc, 0, SilverBrush());
  window_ = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, title, WS_CAPTION | WS_SYSMENU, 0, 0, width, height, nullptr,
                            nullptr, instance, this);
  if (window_ == nullptr) return false;
  view_ = std::make_unique<WinWindowView>(window_, [&common](HWND w) { MoveToSavedPlace(common.Common(), w); });
  common.ApplyIcons(window_);
  return true;
}

HWND OptionsWindow::Add(const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y, int width,
                        int height) {
  HWND control = AddControl(window_, className, text, style, id, x, y, width, height, font_);
  if (id != 0) view_->Add(id, control);
  return control;
}

HWND OptionsWindow::AddLabel(const wchar_t* text, int x, int y, int width, int id) {
  return Add(L"STATIC", text, 0, id, x, y, width, 20);
}

HWND OptionsWindow::AddButton(const wchar_t* text, int id, int x, int y, int width, int height) {
  return Add(L"BUTTON", text, WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, id, x, y, width, height);
}

HWND OptionsWindow::AddCheckBox(const wchar_t* text, int id, int x, int y, int width) {
  return Add(L"BUTTON", text, WS_TABSTOP | BS_AUTOCHECKBOX, id, x, y, width, 22);
}

// The controller ticks the radio buttons itself, so that opening and Cancel can set them.
HWND OptionsWindow::AddRadio(const wchar_t* text, int id, int x, int y, int width) {
  return Add(L"BUTTON", text, WS_TABSTOP | BS_RADIOBUTTON, id, x, y, width, 22);
}

void OptionsWindow::AddHelpButton(int helpId, int x, int y, const wchar_t* failure) {
  const HICON icon = common_->HelpIcon();
  HWND button = Add(L"BUTTON", L"?", BS_PUSHBUTTON | (icon != nullptr ? BS_ICON : 0), kHelpCommand, x, y, 30, 30);
  if (button == nullptr) {
    PostUserMessage(failure, true);
    return;
  }
  if (icon != nullptr) SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  helpId_ = helpId;
}

void OptionsWindow::AddHoverPath(int id, int x, int y, int width) {
  pathWidth_ = width;
  HWND path = Add(L"STATIC", L"", SS_SUNKEN | SS_NOTIFY | SS_LEFTNOWORDWRAP, id, x, y, width, 22);
  if (path != nullptr) SetWindowSubclass(path, PathProc, 1, reinterpret_cast<DWORD_PTR>(this));
  if (hoverBox_ != nullptr) return;
  hoverBox_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP | WS_BORDER, 0, 0, 10, 20,
                              window_, nullptr, common_->Instance(), nullptr);
  if (hoverBox_ != nullptr && font_ != nullptr) SendMessageW(hoverBox_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), 1);
}

int OptionsWindow::TextWidth(HWND path) const {
  const std::wstring text = WindowText(path);
  HDC dc = GetDC(path);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(path, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(path, dc);
  return size.cx;
}

void OptionsWindow::OnPathMouse(HWND path, UINT message) {
  TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, path, kHoverMs};
  if (message == WM_MOUSEMOVE && tracked_ != path && TextWidth(path) > pathWidth_) {
    tracked_ = TrackMouseEvent(&track) != FALSE ? path : nullptr;
    if (tracked_ == nullptr) PostUserMessage(L"INFO: creating a tracking mouse hover event failed\r\n", false);
  } else if (message == WM_MOUSEHOVER && hoverBox_ != nullptr) {
    POINT at{};
    GetCursorPos(&at);
    SetWindowTextW(hoverBox_, WindowText(path).c_str());
    SetWindowPos(hoverBox_, HWND_TOPMOST, at.x + 16, at.y + 16, TextWidth(path) + 60, 20,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  } else if (message == WM_MOUSELEAVE) {
    if (hoverBox_ != nullptr) ShowWindow(hoverBox_, SW_HIDE);
    if (tracked_ == path) {
      track.dwFlags = TME_HOVER | TME_CANCEL;
      if (!TrackMouseEvent(&track)) PostUserMessage(L"INFO: canceling a tracking mouse hover event failed\r\n", false);
    }
    tracked_ = nullptr;
  }
}

LRESULT CALLBACK OptionsWindow::PathProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR self) {
  if (message == WM_MOUSEMOVE || message == WM_MOUSEHOVER || message == WM_MOUSELEAVE) {
    reinterpret_cast<OptionsWindow*>(self)->OnPathMouse(window, message);
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT CALLBACK OptionsWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<OptionsWindow>(window, message, lParam);
  if (self == nullptr || self->window_ == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT OptionsWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  TrackWindowMove(common_->Common(), window_, message);
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == kHelpCommand && helpId_ >= 0) {
        common_->Help().Toggle(helpId_, window_);
      } else if (LOWORD(wParam) == IDCANCEL) {
        if (handlers_.close) handlers_.close();
      } else if (handlers_.command) {
        handlers_.command(LOWORD(wParam), HIWORD(wParam));
      }
      return 0;
    case WM_NOTIFY: {
      const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
      if (change->hdr.code == LVN_ITEMCHANGED && ((change->uOldState ^ change->uNewState) & LVIS_SELECTED) != 0 &&
          handlers_.command) {
        handlers_.command(static_cast<int>(change->hdr.idFrom), kSelectionChanged);
      }
      return 0;
    }
    case WM_HSCROLL:
      // Every move of the thumb, by mouse or keys; the end of a drag repeats the last position.
      if (LOWORD(wParam) != TB_ENDTRACK && lParam != 0 && handlers_.command) {
        handlers_.command(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), kSliderMoved);
      }
      return 0;
    case WM_CLOSE:
      if (handlers_.close) handlers_.close();
      return 0;
    case WM_CTLCOLORSTATIC:
      return BlackOnSilver(wParam);
    default:
      break;
  }
  return DefWindowProcW(window_, message, wParam, lParam);
}

}  // namespace zuna
