#include "capture/countdown/win/countdown_window.h"

#include <string>

#include "capture/countdown/countdown_texts.h"
#include "common/foundation/win/common_windows.h"
#include "common/windows/win/place_window.h"
#include "common/windows/win/silver_look.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {
namespace {

constexpr wchar_t kClassName[] = L"CountdownWindow";

HWND Text(HWND parent, HINSTANCE instance, std::wstring_view text, DWORD style, int x, int y, int w, int h,
          HFONT font) {
  HWND control = CreateWindowExW(0, L"STATIC", std::wstring(text).c_str(), WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                                 parent, nullptr, instance, nullptr);
  if (control != nullptr && font != nullptr) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  return control;
}

void SetText(HWND control, std::wstring_view text) {
  SetWindowTextW(control, std::wstring(text).c_str());
}

}  // namespace

bool CountdownWindow::Create(HFONT digitsFont) {
  RegisterWindowClass(instance_, kClassName, Proc, CS_NOCLOSE, SilverBrush());
  window_ =
      CreateWindowExW(0, kClassName, std::wstring(kCountdownWindowTitle).c_str(),
                      WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 365, 257, nullptr, nullptr, instance_, this);
  if (window_ == nullptr) return false;
  const HFONT dialogFont = common_.Fonts().tahoma18;
  label_ = Text(window_, instance_, kCountdownToStartLabel, 0, 30, 10, 280, 33, dialogFont);
  digits_ = Text(window_, instance_, L"", 0, 25, 50, 295, 60, digitsFont);
  for (int i = 0; i < 3; ++i) {
    lines_[i] = Text(window_, instance_, L"", WS_BORDER | SS_CENTERIMAGE, 0, 130 + 29 * i, 353, 30, dialogFont);
  }
  common_.ApplyIcons(window_);
  return label_ != nullptr && digits_ != nullptr && lines_[2] != nullptr;
}

void CountdownWindow::SetTitle(std::wstring_view text) {
  SetText(window_, text);
}

void CountdownWindow::SetLabel(std::wstring_view text) {
  SetText(label_, text);
}

void CountdownWindow::SetDigits(std::wstring_view text) {
  SetText(digits_, text);
}

void CountdownWindow::SetInformationLines(std::wstring_view start, std::wstring_view event, std::wstring_view end) {
  // A static text shows "\r\n" as a line break: the lines end without one here.
  const auto trimmed = [](std::wstring_view line) {
    while (!line.empty() && (line.back() == L'\n' || line.back() == L'\r')) line.remove_suffix(1);
    return line;
  };
  SetText(lines_[0], trimmed(start));
  SetText(lines_[1], trimmed(event));
  SetText(lines_[2], trimmed(end));
}

void CountdownWindow::Show() {
  MoveToSavedPlace(common_.Common(), window_);
  ShowWindow(window_, SW_SHOWNOACTIVATE);
  UpdateWindow(window_);
}

void CountdownWindow::Hide() {
  ShowWindow(window_, SW_HIDE);
}

LRESULT CALLBACK CountdownWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<CountdownWindow>(window, message, lParam);
  if (self == nullptr || self->window_ == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  TrackWindowMove(self->common_.Common(), window, message);
  switch (message) {
    case WM_CLOSE:
      return 0;  // the countdown goes only with its event
    case WM_CTLCOLORSTATIC:
      return BlackOnSilver(wParam);
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace zuna
