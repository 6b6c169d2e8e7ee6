#include "capture/recording/win/record_controls_window.h"

#include <commctrl.h>

#include "capture/main/win/capture_resources.h"
#include "common/foundation/win/common_windows.h"
#include "common/windows/win/place_window.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {
namespace {

constexpr wchar_t kRecordClass[] = L"Record Controls Window Class";
constexpr int kStartId = 1;
constexpr int kStopId = 2;

// The icon above the text, scaled to leave room for two lines of it; where the button cannot take
// an image list the icon goes beside the text. A missing icon leaves the text alone.
void SetIcon(HWND button, HICON icon) {
  constexpr int kIconSize = 44;
  HIMAGELIST list = ImageList_Create(kIconSize, kIconSize, ILC_COLOR32 | ILC_MASK, 1, 0);
  if (list != nullptr && ImageList_AddIcon(list, icon) >= 0) {
    BUTTON_IMAGELIST image{list, {0, 6, 0, 0}, BUTTON_IMAGELIST_ALIGN_TOP};
    if (SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image)) != FALSE) return;
  }
  if (list != nullptr) ImageList_Destroy(list);
  SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
}

HWND Button(HWND parent, HINSTANCE instance, const wchar_t* text, int id, int x, int y, HICON icon) {
  HWND button = CreateWindowExW(0, L"BUTTON", text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_MULTILINE, x, y, 100,
                                100, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  if (button != nullptr && icon != nullptr) SetIcon(button, icon);
  return button;
}

}  // namespace

bool RecordControlsWindow::Create(const CaptureIcons& icons, Callbacks callbacks) {
  callbacks_ = std::move(callbacks);
  RegisterWindowClass(instance_, kRecordClass, Proc, CS_NOCLOSE, common_.Background());
  // Made before the options file is read: without spacing until SpaceButtons says otherwise.
  window_ = CreateWindowExW(0, kRecordClass, L"Record", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 224, 144,
                            nullptr, nullptr, instance_, this);
  if (window_ == nullptr) return false;
  startButton_ = Button(window_, instance_, L"Start\r\nRecording", kStartId, 3, 3, icons.record);
  stopButton_ = Button(window_, instance_, L"Stop\r\nRecording", kStopId, 106, 3, icons.stop);
  if (startButton_ == nullptr || stopButton_ == nullptr) return false;
  SetButtons(true, false);
  common_.ApplyIcons(window_);
  return true;
}

void RecordControlsWindow::SpaceButtons(bool spaced) {
  const int margin = spaced ? 20 : 0;
  constexpr UINT kKeep = SWP_NOZORDER | SWP_NOACTIVATE;
  SetWindowPos(window_, nullptr, 0, 0, spaced ? 264 : 224, spaced ? 164 : 144, kKeep | SWP_NOMOVE);
  SetWindowPos(startButton_, nullptr, margin + 3, margin + 3, 0, 0, kKeep | SWP_NOSIZE);
  SetWindowPos(stopButton_, nullptr, margin + 106, margin + 3, 0, 0, kKeep | SWP_NOSIZE);
}

void RecordControlsWindow::Show() {
  // Created at 0,0; the place the user left it in, this run or a saved one, wins.
  MoveToSavedPlace(common_.Common(), window_);
  ShowWindow(window_, SW_SHOW);
  SetWindowPos(window_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void RecordControlsWindow::Hide() {
  ShowWindow(window_, SW_HIDE);
}

void RecordControlsWindow::SetButtons(bool startEnabled, bool stopEnabled) {
  EnableWindow(startButton_, startEnabled ? TRUE : FALSE);
  EnableWindow(stopButton_, stopEnabled ? TRUE : FALSE);
}

LRESULT CALLBACK RecordControlsWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<RecordControlsWindow>(window, message, lParam);
  if (message == WM_CLOSE) return 0;  // the record controls cannot be closed
  if (self == nullptr || self->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
  TrackWindowMove(self->common_.Common(), window, message);
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    const auto& pressed = LOWORD(wParam) == kStartId  ? self->callbacks_.start
                          : LOWORD(wParam) == kStopId ? self->callbacks_.stop
                                                      : std::function<void()>();
    if (pressed) pressed();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace zuna
