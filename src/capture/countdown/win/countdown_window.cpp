#include "capture/countdown/win/countdown_window.h"

#include <string>

#include "capture/countdown/countdown_texts.h"
#include "common/windows/win/place_window.h"

namespace zuna {
namespace {

void SetText(HWND control, std::wstring_view text) {
  SetWindowTextW(control, std::wstring(text).c_str());
}

}  // namespace

bool CountdownWindow::Create(HFONT digitsFont) {
  const std::wstring title(kCountdownWindowTitle);
  // The countdown goes only with its event: the close box does nothing.
  if (!window_.Create(
          common_, common_.Fonts().tahoma18,
          {L"CountdownWindow", title.c_str(), 365, 257, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, CS_NOCLOSE})) {
    return false;
  }
  DialogWindow& w = window_;
  label_ = w.Add(L"STATIC", std::wstring(kCountdownToStartLabel).c_str(), 0, 0, 30, 10, 280, 33);
  w.SetFont(digitsFont);
  digits_ = w.Add(L"STATIC", L"", 0, 0, 25, 50, 295, 60);
  w.SetFont(common_.Fonts().tahoma18);
  for (int i = 0; i < 3; ++i)
    lines_[i] = w.Add(L"STATIC", L"", WS_BORDER | SS_CENTERIMAGE, 0, 0, 130 + 29 * i, 353, 30);
  // Hidden, beneath the window's normal height, until there is something to warn of; two lines
  // high, as a plain static text wraps its words.
  warning_ = w.Add(L"STATIC", L"", WS_BORDER, 0, 0, 130 + 29 * 3, 353, 44);
  if (warning_ != nullptr) ShowWindow(warning_, SW_HIDE);
  return label_ != nullptr && digits_ != nullptr && lines_[2] != nullptr;
}

void CountdownWindow::SetTitle(std::wstring_view text) {
  SetText(window_.Window(), text);
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

void CountdownWindow::SetWarning(std::wstring_view text) {
  if (warning_ == nullptr) return;
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r')) text.remove_suffix(1);
  SetText(warning_, text);
  ShowWindow(warning_, text.empty() ? SW_HIDE : SW_SHOWNOACTIVATE);
  RECT frame{};
  GetWindowRect(window_.Window(), &frame);
  constexpr int kHeight = 257, kWarningHeight = 44;
  SetWindowPos(window_.Window(), nullptr, 0, 0, frame.right - frame.left, kHeight + (text.empty() ? 0 : kWarningHeight),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CountdownWindow::Show() {
  MoveToSavedPlace(common_.Common(), window_.Window());
  ShowWindow(window_.Window(), SW_SHOWNOACTIVATE);
  UpdateWindow(window_.Window());
}

void CountdownWindow::Hide() {
  ShowWindow(window_.Window(), SW_HIDE);
}

}  // namespace zuna
