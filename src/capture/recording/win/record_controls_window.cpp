#include "capture/recording/win/record_controls_window.h"

#include "common/foundation/win/common_windows.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {
namespace {

constexpr wchar_t kRecordClass[] = L"Record Controls Window Class";

}  // namespace

bool RecordControlsWindow::Create() {
  RegisterWindowClass(instance_, kRecordClass, Proc, CS_NOCLOSE, common_.Background());
  const bool spaced = common_.Common().Options().Boolean(L"RecordButtonsSpace");
  const int margin = spaced ? 20 : 0;
  window_ = CreateWindowExW(0, kRecordClass, L"Record", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                            spaced ? 264 : 224, spaced ? 164 : 144, nullptr, nullptr, instance_, this);
  if (window_ == nullptr) return false;
  const DWORD style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_MULTILINE;
  startButton_ = CreateWindowExW(0, L"BUTTON", L"Start\r\nRecording", style, margin + 3, margin + 3, 100, 100, window_,
                                 nullptr, instance_, nullptr);
  stopButton_ = CreateWindowExW(0, L"BUTTON", L"Stop\r\nRecording", style, margin + 106, margin + 3, 100, 100, window_,
                                nullptr, instance_, nullptr);
  if (startButton_ == nullptr || stopButton_ == nullptr) return false;
  // Both start disabled; Show decides once a device is shown.
  EnableWindow(startButton_, FALSE);
  EnableWindow(stopButton_, FALSE);
  common_.ApplyIcons(window_);
  return true;
}

void RecordControlsWindow::Show() {
  // Starting and stopping a recording from these buttons is not part of this build yet: both stay
  // disabled rather than offer a button that does nothing.
  EnableWindow(startButton_, FALSE);
  EnableWindow(stopButton_, FALSE);
  ShowWindow(window_, SW_SHOW);
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

LRESULT CALLBACK RecordControlsWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<RecordControlsWindow>(window, message, lParam);
  if (message == WM_CLOSE) return 0;  // the record controls cannot be closed
  if (self != nullptr && self->window_ == window) TrackWindowMove(self->common_.Common(), window, message);
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace zuna
