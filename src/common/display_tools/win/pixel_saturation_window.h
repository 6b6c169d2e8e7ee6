#pragma once
// "Pixel Saturation": the marking threshold and keeping it in the options file.
#include "common/display_tools/pixel_saturation_controller.h"
#include "common/display_tools/win/tool_window.h"

namespace zuna {

class PixelSaturationWindow final : public ToolWindow {
 public:
  PixelSaturationWindow(CommonWindows& common, HWND mainWindow);
  DisplayToolController& Controller() override { return controller_; }

 private:
  Frame Describe() const override;
  void CreateControls() override;
  void OnCommand(int control, int notification) override;
  void OnSlider(int) override { controller_.OnSliderMoved(); }

  PixelSaturationController controller_;
};

}  // namespace zuna
