#include "capture/countdown/win/power_notice_window.h"

#include <string>

#include "common/foundation/win/common_windows.h"
#include "common/windows/win/place_window.h"
#include "common/windows/win/silver_look.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {
namespace {

constexpr wchar_t kClassName[] = L"Hibernate";
constexpr UINT_PTR kTimerId = 1;
constexpr int kCancelId = 1;

HWND Child(HWND parent, HINSTANCE instance, const wchar_t* type, const wchar_t* text, DWORD style, int x, int y, int w,
           int h, HFONT font, int id = 0) {
  HWND control = CreateWindowExW(0, type, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (control != nullptr && font != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return control;
}

void SetText(HWND control, std::wstring_view text) {
  SetWindowTextW(control, std::wstring(text).c_str());
}

}  // namespace

PowerNoticeWindow::PowerNoticeWindow(CommonWindows& common, HINSTANCE instance, PowerControl& power)
    : common_(common), instance_(instance), controller_(*this, power, common.State()) {}

bool PowerNoticeWindow::Create(HFONT countFont, HFONT textFont) {
  RegisterWindowClass(instance_, kClassName, Proc, CS_NOCLOSE, SilverBrush());
  window_ = CreateWindowExW(0, kClassName, L"Hibernate", WS_CAPTION | WS_SYSMENU, 0, 0, 300, 200, nullptr, nullptr,
                            instance_, this);
  if (window_ == nullptr) return false;
  label_ = Child(window_, instance_, L"STATIC", L"Hibernate in", 0, 45, 30, 80, 20, textFont);
  count_ = Child(window_, instance_, L"STATIC", L"30", 0, 135, 25, 40, 25, countFont);
  Child(window_, instance_, L"STATIC", L"seconds", 0, 175, 30, 70, 20, textFont);
  explanation_ = Child(window_, instance_, L"STATIC", L"", SS_CENTER, 15, 60, 255, 40, textFont);
  cancel_ =
      Child(window_, instance_, L"BUTTON", L"Cancel Hibernate", BS_PUSHBUTTON, 75, 120, 135, 28, textFont, kCancelId);
  common_.ApplyIcons(window_);
  return cancel_ != nullptr;
}

void PowerNoticeWindow::SetTitle(std::wstring_view text) {
  SetText(window_, text);
}
void PowerNoticeWindow::SetLabel(std::wstring_view text) {
  SetText(label_, text);
}
void PowerNoticeWindow::SetCount(std::wstring_view text) {
  SetText(count_, text);
}
void PowerNoticeWindow::SetExplanation(std::wstring_view text) {
  SetText(explanation_, text);
}
void PowerNoticeWindow::SetCancelText(std::wstring_view text) {
  SetText(cancel_, text);
}
void PowerNoticeWindow::StartTimer() {
  SetTimer(window_, kTimerId, 1000, nullptr);
}
void PowerNoticeWindow::StopTimer() {
  KillTimer(window_, kTimerId);
}
void PowerNoticeWindow::Show() {
  MoveToSavedPlace(common_.Common(), window_);
  ShowWindow(window_, SW_SHOW);
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
void PowerNoticeWindow::Hide() {
  ShowWindow(window_, SW_HIDE);
}

LRESULT CALLBACK PowerNoticeWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<PowerNoticeWindow>(window, message, lParam);
  if (self == nullptr || self->window_ == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  TrackWindowMove(self->common_.Common(), window, message);
  switch (message) {
    case WM_TIMER:
      if (wParam != kTimerId) break;
      self->controller_.OnTimer();
      // A shutdown under way ends the program: the message loop sees the flag at the next message.
      if (self->common_.State().exitRequested) PostMessageW(window, WM_NULL, 0, 0);
      return 0;
    case WM_COMMAND:
      if (LOWORD(wParam) == kCancelId) {
        self->controller_.OnCancel();
        return 0;
      }
      break;
    case WM_CLOSE:
      return 0;  // only Cancel stops the count
    case WM_CTLCOLORSTATIC:
      return BlackOnSilver(wParam);
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace zuna
