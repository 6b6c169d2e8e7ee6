#pragma once
// "Brightness and Contrast": two sliders over the colour-control effect.
#include "common/display_tools/brightness_contrast_controller.h"
#include "common/display_tools/win/tool_window.h"

namespace zuna {

class BrightnessContrastWindow final : public ToolWindow {
 public:
  BrightnessContrastWindow(CommonWindows& common, HWND mainWindow, std::function<void(int, int)> apply);
  DisplayToolController& Controller() override { return controller_; }

 private:
  Frame Describe() const override;
  void CreateControls() override;
  void OnCommand(int, int) override {}
  void OnSlider(int control) override { controller_.OnSliderMoved(control); }

  BrightnessContrastController controller_;
};

}  // namespace zuna
