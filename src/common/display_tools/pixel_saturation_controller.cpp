#include "common/display_tools/pixel_saturation_controller.h"

#include <algorithm>
#include <string>

#include "common/options/common_option_keys.h"

#include "common/foundation/zuna_common.h"

namespace zuna {

int SaturationLevelFromOption(const OptionTables& options) {
  // The slider cannot go below 50: a lower saved value would mark far more than the slider says.
  return std::max(PixelSaturationLevel(options), 50);
}

int ApplySavedSaturationLevel(ZunaCommon& common) {
  const int level = PixelSaturationLevel(common.Options());
  common.State().saturationLevel = level;
  return level;
}

PixelSaturationController::PixelSaturationController(ZunaCommon& common, WindowView& view)
    : DisplayToolController(common, view, kToolPixelSaturation) {}

void PixelSaturationController::Initialize() {
  view_.SetText(kLabel, L"Set pixel saturation value, range 50 to 255");
  view_.SetSliderRange(kSlider, 50, 255, 10, 1);
  view_.SetSliderPosition(kSlider, common_.State().saturationLevel);
  ClearBoxes();
}

void PixelSaturationController::Prepare() {
  const int level = SaturationLevelFromOption(common_.Options());
  common_.State().saturationLevel = level;
  view_.SetSliderPosition(kSlider, level);
  ClearBoxes();
}

// In the capture program the threshold goes back to 255 with the window; the display then marks
// nothing should the filter stay in a chain.
void PixelSaturationController::Closing() {
  if (common_.State().programKind == ProgramKind::kCapture) common_.State().saturationLevel = 255;
}

void PixelSaturationController::ClearBoxes() {
  view_.Check(kUseAsDefault, false);
  view_.Check(kRemoveDefault, false);
  view_.Enable(kSave, false);
}

void PixelSaturationController::OnSliderMoved() {
  common_.State().saturationLevel = view_.SliderPosition(kSlider);
  common_.DisplayValueChanged(DisplayValue::kSaturationLevel);
}

void PixelSaturationController::OnBoxClicked(int control) {
  const int other = control == kUseAsDefault ? kRemoveDefault : kUseAsDefault;
  if (view_.IsChecked(control)) view_.Check(other, false);
  view_.Enable(kSave, view_.IsChecked(kUseAsDefault) || view_.IsChecked(kRemoveDefault));
}

void PixelSaturationController::OnSave() {
  CommonState& state = common_.State();
  if (view_.IsChecked(kUseAsDefault)) {
    state.saturationLevel = view_.SliderPosition(kSlider);
    PostUnstampedMessage(L"Pixel saturation value saved in options file\r\n");
  } else if (view_.IsChecked(kRemoveDefault)) {
    state.saturationLevel = 255;
    view_.SetSliderPosition(kSlider, 255);
    PostUnstampedMessage(L"Pixel saturation removed from options file\r\n");
  } else {
    return;  // Save is disabled then; a stray click writes nothing
  }
  ClearBoxes();
  common_.Options().SetText(kPixelSaturationValueKey, std::to_wstring(state.saturationLevel.load()));
  common_.SaveOptionsFile();
  common_.DisplayValueChanged(DisplayValue::kSaturationLevel);
}

}  // namespace zuna
