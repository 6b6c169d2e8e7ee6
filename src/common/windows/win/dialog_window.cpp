#include "common/windows/win/dialog_window.h"

#include <commctrl.h>

#include "common/help/win/help_button.h"
#include "common/log/user_messages_log.h"
#include "common/windows/win/child_controls.h"
#include "common/windows/win/place_window.h"

namespace zuna {
namespace {

constexpr wchar_t kOptionsClassName[] = L"Capture Options Window Class";

}  // namespace

bool DialogWindow::Create(CommonWindows& common, HFONT font, const wchar_t* title, int width, int height) {
  return Create(common, font, {kOptionsClassName, title, width, height, WS_CAPTION | WS_SYSMENU, WS_EX_TOOLWINDOW});
}

bool DialogWindow::Create(CommonWindows& common, HFONT font, const SmallWindowFrame& frame,
                          std::function<void(HWND)> place) {
  font_ = font;
  if (!CreateFrame(common, frame)) return false;
  if (!place) place = [&common](HWND w) { MoveToSavedPlace(common.Common(), w); };
  view_ = std::make_unique<WinWindowView>(window_, std::move(place));
  return true;
}

HWND DialogWindow::Add(const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y, int width,
                       int height) {
  HWND control = AddChild(className, text, style, id, x, y, width, height);
  if (id != 0) view_->Add(id, control);
  return control;
}

HWND DialogWindow::AddChild(const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y, int width,
                            int height) {
  return AddControl(window_, className, text, style, id, x, y, width, height, font_);
}

HWND DialogWindow::AddLabel(const wchar_t* text, int x, int y, int width, int id) {
  return Add(L"STATIC", text, 0, id, x, y, width, 20);
}

HWND DialogWindow::AddButton(const wchar_t* text, int id, int x, int y, int width, int height) {
  return Add(L"BUTTON", text, WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE, id, x, y, width, height);
}

HWND DialogWindow::AddCheckBox(const wchar_t* text, int id, int x, int y, int width) {
  return Add(L"BUTTON", text, WS_TABSTOP | BS_AUTOCHECKBOX, id, x, y, width, 22);
}

// The controller ticks the radio buttons itself, so that opening and Cancel can set them.
HWND DialogWindow::AddRadio(const wchar_t* text, int id, int x, int y, int width) {
  return Add(L"BUTTON", text, WS_TABSTOP | BS_RADIOBUTTON, id, x, y, width, 22);
}

HWND DialogWindow::AddIconButton(const wchar_t* text, HICON icon, int id, int x, int y, int width, int height) {
  HWND button = Add(L"BUTTON", text, WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | (icon != nullptr ? BS_ICON : 0), id, x,
                    y, width, height);
  if (button != nullptr && icon != nullptr)
    SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  return button;
}

void DialogWindow::AddHelpButton(HelpPage page, int x, int y, const wchar_t* failure) {
  const HICON icon = common_->HelpIcon();
  HWND button = Add(L"BUTTON", L"?", BS_PUSHBUTTON | (icon != nullptr ? BS_ICON : 0), kHelpCommand, x, y, 30, 30);
  if (button == nullptr) {
    PostStampedMessage(failure);
    return;
  }
  if (icon != nullptr) SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  SetHelpPage(page);
}

void DialogWindow::AddCornerHelpButton(HelpPage page) {
  CreateHelpButton(window_, kHelpCommand, common_->HelpIcon());
  SetHelpPage(page);
}

void DialogWindow::AddHoverPath(int id, int x, int y, int width) {
  paths_.push_back(std::make_unique<HoverPath>());
  if (HWND path = paths_.back()->Create(window_, id, x, y, width, font_)) view_->Add(id, path);
}

void DialogWindow::OnClose() {
  if (handlers_.close) handlers_.close();
}

std::optional<LRESULT> DialogWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) {
        OnClose();
      } else if (handlers_.command) {
        handlers_.command(LOWORD(wParam), HIWORD(wParam));
      }
      return 0;
    case WM_NOTIFY:
      OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
      return 0;
    case WM_HSCROLL:
      // Every move of the thumb, by mouse or keys; the end of a drag repeats the last position.
      if (LOWORD(wParam) != TB_ENDTRACK && lParam != 0 && handlers_.command) {
        handlers_.command(GetDlgCtrlID(reinterpret_cast<HWND>(lParam)), kSliderMoved);
      }
      return 0;
    case WM_TIMER:
      if (!handlers_.timer) break;
      handlers_.timer(wParam);
      return 0;
    case DM_GETDEFID:
      if (defaultButton_ == 0) break;
      return MAKELRESULT(defaultButton_, DC_HASDEFID);
    default:
      break;
  }
  return std::nullopt;
}

void DialogWindow::OnNotify(const NMHDR& header) {
  if (!handlers_.command) return;
  const int id = static_cast<int>(header.idFrom);
  if (header.code == LVN_ITEMCHANGED) {
    // A row's selection changed, by the mouse or the keyboard.
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if ((change.uChanged & LVIF_STATE) != 0 && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED) != 0) {
      handlers_.command(id, kSelectionChanged);
    }
  } else if (header.code == NM_CLICK) {
    handlers_.command(id, kListClicked);
  } else if (header.code == DTN_DATETIMECHANGE) {
    handlers_.command(id, kDateTimeChanged);
  }
}

}  // namespace zuna
