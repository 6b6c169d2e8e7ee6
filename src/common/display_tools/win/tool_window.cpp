#include "common/display_tools/win/tool_window.h"

#include <commctrl.h>

#include "common/foundation/win/common_windows.h"
#include "common/help/win/help_button.h"
#include "common/windows/win/place_window.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {

bool ToolWindow::Create() {
  const Frame frame = Describe();
  HINSTANCE instance = common_.Instance();
  RegisterWindowClass(instance, frame.className, Proc, 0, common_.Background());
  HWND window = CreateWindowExW(0, frame.className, frame.title, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                                frame.width, frame.height, nullptr, nullptr, instance, this);
  if (window == nullptr) return false;
  common_.ApplyIcons(window);
  HWND main = mainWindow_;
  CommonWindows& common = common_;
  view_.Attach(window, [&common, main](HWND w) { PlaceWindow(common.Common(), w, 0, nullptr, true, main); });
  // The entry was made at start-up under the window's key, so that a saved position is kept.
  if (PlacementEntry* entry = common_.Common().Placements().FindKey(frame.positionKey)) entry->window = window;
  CreateControls();
  if (HWND help = CreateHelpButton(window, frame.helpControl, common_.HelpIcon())) view_.Add(frame.helpControl, help);
  return true;
}

HWND ToolWindow::Add(int id, const wchar_t* windowClass, const wchar_t* text, DWORD style, int x, int y, int width,
                     int height) {
  HWND control =
      CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, view_.Window(),
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), common_.Instance(), nullptr);
  if (control == nullptr) return nullptr;
  SetFont(control);
  view_.Add(id, control);
  return control;
}

HWND ToolWindow::AddSlider(int id, int x, int y, int width, int height) {
  return Add(id, TRACKBAR_CLASSW, L"", TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, x, y, width, height);
}

void ToolWindow::SetFont(HWND control) {
  if (HFONT font = common_.Fonts().tahoma16) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

LRESULT CALLBACK ToolWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<ToolWindow>(window, message, lParam);
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(window, message, wParam, lParam);
}

LRESULT ToolWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  TrackWindowMove(common_.Common(), window, message);
  if (view_.Window() != nullptr && OnMessage(message, wParam, lParam)) return 0;
  switch (message) {
    case WM_CLOSE:
      Controller().Close();
      return 0;
    case WM_COMMAND: {
      const Frame frame = Describe();
      if (LOWORD(wParam) == frame.helpControl) {
        common_.Help().Show(frame.help, window, false);
      } else {
        OnCommand(LOWORD(wParam), HIWORD(wParam));
      }
      return 0;
    }
    case WM_HSCROLL:
      if (lParam != 0) OnSlider(view_.IdOf(reinterpret_cast<HWND>(lParam)));
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace zuna
