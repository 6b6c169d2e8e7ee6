#include "common/display_tools/win/crosshairs_window.h"

#include <commctrl.h>

#include "common/foundation/win/common_windows.h"

namespace zuna {
namespace {

using CH = CrosshairsController;
constexpr UINT_PTR kRepeatTimerId = 1;

ArrowDirection DirectionOf(int control) {
  switch (control) {
    case CH::kUp:
      return ArrowDirection::kUp;
    case CH::kDown:
      return ArrowDirection::kDown;
    case CH::kLeft:
      return ArrowDirection::kLeft;
    default:
      return ArrowDirection::kRight;
  }
}

}  // namespace

CrosshairsWindow::CrosshairsWindow(CommonWindows& common, HWND mainWindow, HICON arrowIcons[4])
    : ToolWindow(common, mainWindow), controller_(common.Common(), view_, *this) {
  for (int i = 0; i < 4; ++i) arrowIcons_[i] = arrowIcons[i];
}

ToolWindow::Frame CrosshairsWindow::Describe() const {
  return {L"Crosshairs Class",   L"Crosshairs",  400, 400, L"CrosshairsWindowPosition",
          HelpPage::kCrosshairs, CH::kHelpButton};
}

void CrosshairsWindow::CreateControls() {
  Add(CH::kLabel, L"STATIC", L"", 0, 20, 15, 220, 20);
  AddSlider(CH::kSlider, 20, 40, 330, 40);
  struct Arrow {
    int id;
    const wchar_t* text;
    int x, y;
  };
  const Arrow arrows[] = {{CH::kUp, L"Up", 75, 100},
                          {CH::kDown, L"Down", 75, 176},
                          {CH::kLeft, L"Left", 20, 245},
                          {CH::kRight, L"Right", 240, 245}};
  for (int i = 0; i < 4; ++i) {
    const Arrow& a = arrows[i];
    const DWORD style = BS_PUSHBUTTON | (arrowIcons_[i] ? BS_ICON : 0);
    HWND button = Add(a.id, L"BUTTON", a.text, style, a.x, a.y, 100, 44);
    if (button == nullptr) continue;
    if (arrowIcons_[i]) SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(arrowIcons_[i]));
    // Pressing and releasing are what a held arrow needs; the click itself is ignored.
    SetWindowSubclass(button, ArrowProc, static_cast<UINT_PTR>(a.id), reinterpret_cast<DWORD_PTR>(this));
  }
  Add(CH::kCentreRow, L"BUTTON", L"Centre Row", BS_PUSHBUTTON, 75, 148, 100, 24);
  Add(CH::kCentreColumn, L"BUTTON", L"Centre Column", BS_PUSHBUTTON, 125, 255, 110, 24);
  Add(CH::kRowLabel, L"STATIC", L"Row:", 0, 210, 125, 70, 20);
  Add(CH::kRowText, L"STATIC", L"", 0, 285, 125, 60, 20);
  Add(CH::kColumnLabel, L"STATIC", L"Column:", 0, 210, 155, 70, 20);
  Add(CH::kColumnText, L"STATIC", L"", 0, 285, 155, 60, 20);
  Add(CH::kCancel, L"BUTTON", L"Cancel", BS_PUSHBUTTON, 150, 315, 80, 28);
  controller_.Initialize();
}

void CrosshairsWindow::OnCommand(int control, int notification) {
  if (notification != BN_CLICKED) return;
  if (control == CH::kCentreRow) {
    controller_.OnCentreRow();
  } else if (control == CH::kCentreColumn) {
    controller_.OnCentreColumn();
  } else if (control == CH::kCancel) {
    controller_.Close();
    return;
  }
  // The arrow keys work again at once.
  SetFocus(view_.Window());
}

bool CrosshairsWindow::OnMessage(UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_TIMER:
      if (wParam != kRepeatTimerId) return false;
      KillTimer(view_.Window(), kRepeatTimerId);
      controller_.OnRepeatTick();
      return true;
    case WM_LBUTTONDOWN:
      SetFocus(view_.Window());
      return true;
    case WM_KEYDOWN:
      if (wParam == VK_UP) {
        controller_.OnArrowKey(ArrowDirection::kUp);
      } else if (wParam == VK_DOWN) {
        controller_.OnArrowKey(ArrowDirection::kDown);
      } else if (wParam == VK_LEFT) {
        controller_.OnArrowKey(ArrowDirection::kLeft);
      } else if (wParam == VK_RIGHT) {
        controller_.OnArrowKey(ArrowDirection::kRight);
      } else {
        return false;
      }
      return true;
    default:
      return false;
  }
}

void CrosshairsWindow::Start(int milliseconds) {
  SetTimer(view_.Window(), kRepeatTimerId, static_cast<UINT>(milliseconds), nullptr);
}

void CrosshairsWindow::Stop() {
  KillTimer(view_.Window(), kRepeatTimerId);
}

LRESULT CALLBACK CrosshairsWindow::ArrowProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                             DWORD_PTR data) {
  auto* self = reinterpret_cast<CrosshairsWindow*>(data);
  if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
    self->controller_.OnArrowPressed(DirectionOf(static_cast<int>(id)));
  } else if (message == WM_LBUTTONUP) {
    const LRESULT result = DefSubclassProc(button, message, wParam, lParam);
    self->controller_.OnArrowReleased();
    SetFocus(self->view_.Window());
    return result;
  } else if (message == WM_CAPTURECHANGED) {
    self->controller_.OnArrowReleased();
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(button, ArrowProc, id);
  }
  return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace zuna
