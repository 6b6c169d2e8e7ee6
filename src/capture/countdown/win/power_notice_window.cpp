#include "capture/countdown/win/power_notice_window.h"

#include <string>

#include "common/windows/win/place_window.h"

namespace zuna {
namespace {

constexpr UINT_PTR kTimerId = 1;
constexpr int kCancelId = 1;

void SetText(HWND control, std::wstring_view text) {
  SetWindowTextW(control, std::wstring(text).c_str());
}

}  // namespace

PowerNoticeWindow::PowerNoticeWindow(CommonWindows& common, HINSTANCE, PowerControl& power)
    : common_(common), controller_(*this, power, common.State()) {}

bool PowerNoticeWindow::Create(HFONT countFont, HFONT textFont) {
  // Only Cancel stops the count: the close box does nothing.
  if (!window_.Create(common_, textFont,
                      {L"Hibernate", L"Hibernate", 300, 200, WS_CAPTION | WS_SYSMENU, 0, CS_NOCLOSE})) {
    return false;
  }
  DialogWindow& w = window_;
  label_ = w.AddLabel(L"Hibernate in", 45, 30, 80);
  w.SetFont(countFont);
  count_ = w.Add(L"STATIC", L"30", 0, 0, 135, 25, 40, 25);
  w.SetFont(textFont);
  w.AddLabel(L"seconds", 175, 30, 70);
  explanation_ = w.Add(L"STATIC", L"", SS_CENTER, 0, 15, 60, 255, 40);
  cancel_ = w.AddChild(L"BUTTON", L"Cancel Hibernate", BS_PUSHBUTTON, kCancelId, 75, 120, 135, 28);
  w.SetHandlers({[this](int id, int) {
                   if (id == kCancelId) controller_.OnCancel();
                 },
                 nullptr, [this](UINT_PTR timer) { OnTimer(timer); }});
  return cancel_ != nullptr;
}

void PowerNoticeWindow::OnTimer(UINT_PTR timer) {
  if (timer != kTimerId) return;
  controller_.OnTimer();
  // A shutdown under way ends the program: the message loop sees the flag at the next message.
  if (common_.State().exit.Requested()) PostMessageW(window_.Window(), WM_NULL, 0, 0);
}

void PowerNoticeWindow::SetTitle(std::wstring_view text) {
  SetText(window_.Window(), text);
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
  SetTimer(window_.Window(), kTimerId, 1000, nullptr);
}
void PowerNoticeWindow::StopTimer() {
  KillTimer(window_.Window(), kTimerId);
}
void PowerNoticeWindow::Show() {
  MoveToSavedPlace(common_.Common(), window_.Window());
  ShowWindow(window_.Window(), SW_SHOW);
  SetWindowPos(window_.Window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}
void PowerNoticeWindow::Hide() {
  ShowWindow(window_.Window(), SW_HIDE);
}

}  // namespace zuna
