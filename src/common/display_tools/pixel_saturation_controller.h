#pragma once
// The "Pixel Saturation" window: the threshold slider (50..255) and the two exclusive boxes that
// keep the threshold in the options file or take it out again.
#include "common/display_tools/display_tool_controller.h"

namespace zuna {

class PixelSaturationController final : public DisplayToolController {
 public:
  enum Control { kSlider = 1, kUseAsDefault, kRemoveDefault, kSave, kCancel, kHelpButton, kLabel };

  PixelSaturationController(ZunaCommon& common, WindowView& view);

  void Initialize();
  void OnSliderMoved();
  // A click on either box: the other is cleared, Save follows whether one is checked.
  void OnBoxClicked(int control);
  void OnSave();

 protected:
  void Prepare() override;

 private:
  void ClearBoxes();
};

// "PixelSaturationValue" as the threshold: a decimal in 50..255, else 255.
int SaturationLevelFromOption(std::wstring_view text);

}  // namespace zuna
