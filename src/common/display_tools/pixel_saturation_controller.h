#pragma once
// The "Pixel Saturation" window: the threshold slider (50..255) and the two exclusive boxes that
// keep the threshold in the options file or take it out again.
#include "common/display_tools/display_tool_controller.h"
#include "common/options/option_tables.h"

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
  void Closing() override;

 private:
  void ClearBoxes();
};

// "PixelSaturationValue" as the slider's threshold: 255 when it gives none, at least 50.
int SaturationLevelFromOption(const OptionTables& options);

// The options file was read: its "PixelSaturationValue" (PixelSaturationLevel) becomes the threshold
// the filters mark at. Returns that level. The level is this window's to set; the programs' options
// set the saved one through here.
int ApplySavedSaturationLevel(ZunaCommon& common);

}  // namespace zuna
