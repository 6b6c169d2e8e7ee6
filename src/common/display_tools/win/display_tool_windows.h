#pragma once
// The four display tool windows of a program, created hidden at start-up and toggled from its
// Display menu (tools numbered as the switches: 0 magnify, 1 brightness/contrast, 2 pixel
// saturation, 3 crosshairs).
#include <windows.h>

#include <functional>
#include <memory>

#include "common/display_tools/display_tool_switch.h"
#include "common/display_tools/win/brightness_contrast_window.h"
#include "common/display_tools/win/crosshairs_window.h"
#include "common/display_tools/win/magnify_window.h"
#include "common/display_tools/win/pixel_saturation_window.h"

namespace zuna {

class DisplayToolWindows final : public DisplayToolSwitch {
 public:
  // `applyBrightnessContrast` hands the two percentages to the graph's colour control.
  DisplayToolWindows(CommonWindows& common, HWND mainWindow, std::function<void(int, int)> applyBrightnessContrast);

  // Creates the windows; one that cannot be created is reported and its command does nothing.
  void Create();
  bool Exists(int tool) const override { return Window(tool) != nullptr; }
  HWND Window(int tool) const;
  bool IsOpen(int tool) const;
  // The Display menu command of the tool.
  Status Toggle(int tool) override;
  Status Close(int tool) override;

  // Shows the video at a magnifier choice, as its radio button does.
  void Magnify(int choice) {
    if (magnify_) magnify_->Magnify().OnChoice(choice);
  }
  void SetIntensityFormat(IntensityFormat format) {
    if (crosshairs_) crosshairs_->Crosshairs().SetIntensityFormat(format);
  }

 private:
  ToolWindow* Tool(int tool) const;

  std::unique_ptr<MagnifyWindow> magnify_;
  std::unique_ptr<BrightnessContrastWindow> brightnessContrast_;
  std::unique_ptr<PixelSaturationWindow> pixelSaturation_;
  std::unique_ptr<CrosshairsWindow> crosshairs_;
  HICON arrowIcons_[4] = {};
  CommonWindows& common_;
};

}  // namespace zuna
