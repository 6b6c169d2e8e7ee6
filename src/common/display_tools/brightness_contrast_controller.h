#pragma once
// The "Brightness and Contrast" window: two sliders, 0..100 from the middle, applied to the
// colour-control effect at once.
#include <functional>

#include "common/display_tools/display_tool_controller.h"

namespace zuna {

class BrightnessContrastController final : public DisplayToolController {
 public:
  enum Control { kBrightnessSlider = 1, kContrastSlider, kHelpButton, kBrightnessLabel, kContrastLabel };

  // `apply` hands both percentages to the graph's colour control.
  BrightnessContrastController(ZunaCommon& common, WindowView& view, std::function<void(int, int)> apply);

  // Sets the sliders' ranges; once, after the window's controls exist.
  void Initialize();
  void OnSliderMoved(int control);

 protected:
  void Prepare() override;

 private:
  std::function<void(int, int)> apply_;
};

}  // namespace zuna
