#include "common/display_tools/win/pixel_saturation_window.h"

#include "common/foundation/win/common_windows.h"

namespace zuna {

using PS = PixelSaturationController;

PixelSaturationWindow::PixelSaturationWindow(CommonWindows& common, HWND mainWindow)
    : ToolWindow(common, mainWindow), controller_(common.Common(), view_) {}

ToolWindow::Frame PixelSaturationWindow::Describe() const {
  return {L"Pixel Saturation Class",  L"Pixel Saturation", 650, 340, L"PixelSaturationWindowPosition",
          HelpPage::kPixelSaturation, PS::kHelpButton};
}

void PixelSaturationWindow::CreateControls() {
  Add(PS::kLabel, L"STATIC", L"", 0, 20, 20, 420, 22);
  AddSlider(PS::kSlider, 20, 55, 590, 45);
  Add(PS::kUseAsDefault, L"BUTTON", L"Use current value as options default", BS_AUTOCHECKBOX | WS_TABSTOP, 20, 125, 400,
      25);
  Add(PS::kRemoveDefault, L"BUTTON", L"Remove saturation default from options", BS_AUTOCHECKBOX | WS_TABSTOP, 20, 155,
      400, 25);
  Add(PS::kSave, L"BUTTON", L"Save", BS_PUSHBUTTON | WS_TABSTOP, 170, 235, 80, 28);
  Add(PS::kCancel, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 380, 235, 80, 28);
  controller_.Initialize();
}

void PixelSaturationWindow::OnCommand(int control, int notification) {
  if (notification != BN_CLICKED) return;
  if (control == PS::kUseAsDefault || control == PS::kRemoveDefault) {
    controller_.OnBoxClicked(control);
  } else if (control == PS::kSave) {
    controller_.OnSave();
  } else if (control == PS::kCancel) {
    controller_.Close();
  }
}

}  // namespace zuna
