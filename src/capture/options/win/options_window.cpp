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
  paths_.push_back(std::make_unique<HoverPath>());
  if (HWND path = paths_.back()->Create(window_, id, x, y, width, font_)) view_->Add(id, path);
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
