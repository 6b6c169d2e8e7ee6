#include "common/display_tools/win/brightness_contrast_window.h"

#include "common/foundation/win/common_windows.h"

namespace zuna {

using BC = BrightnessContrastController;

BrightnessContrastWindow::BrightnessContrastWindow(CommonWindows& common, HWND mainWindow,
                                                   std::function<void(int, int)> apply)
    : ToolWindow(common, mainWindow), controller_(common.Common(), view_, std::move(apply)) {}

ToolWindow::Frame BrightnessContrastWindow::Describe() const {
  return {L"Brightness Contrast Class",
          L"Brightness and Contrast",
          320,
          270,
          L"BrightnessContrastWindowPosition",
          HelpPage::kBrightnessContrast,
          BC::kHelpButton};
}

void BrightnessContrastWindow::CreateControls() {
  Add(BC::kBrightnessLabel, L"STATIC", L"Brightness", 0, 20, 40, 200, 20);
  AddSlider(BC::kBrightnessSlider, 20, 62, 270, 40);
  Add(BC::kContrastLabel, L"STATIC", L"Contrast", 0, 20, 130, 200, 20);
  AddSlider(BC::kContrastSlider, 20, 152, 270, 40);
  controller_.Initialize();
}

}  // namespace zuna
