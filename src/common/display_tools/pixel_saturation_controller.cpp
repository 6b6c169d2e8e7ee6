#include "common/display_tools/pixel_saturation_controller.h"

#include <cwchar>
#include <string>

#include "common/foundation/zuna_common.h"

namespace zuna {

int SaturationLevelFromOption(std::wstring_view text) {
  const std::wstring value(text);
  wchar_t* end = nullptr;
  const long level = std::wcstol(value.c_str(), &end, 10);
  // An empty, garbled or out-of-range value would mark nothing or everything: the neutral 255.
  if (value.empty() || end == value.c_str() || level < 50 || level > 255) return 255;
  return static_cast<int>(level);
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
  const int level = SaturationLevelFromOption(common_.Options().Text(L"PixelSaturationValue"));
  common_.State().saturationLevel = level;
  view_.SetSliderPosition(kSlider, level);
  ClearBoxes();
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
    PostUserMessage(L"Pixel saturation value saved in options file\r\n", false);
  } else if (view_.IsChecked(kRemoveDefault)) {
    state.saturationLevel = 255;
    view_.SetSliderPosition(kSlider, 255);
    PostUserMessage(L"Pixel saturation removed from options file\r\n", false);
  } else {
    return;  // Save is disabled then; a stray click writes nothing
  }
  ClearBoxes();
  common_.Options().SetText(L"PixelSaturationValue", std::to_wstring(state.saturationLevel.load()));
  common_.SaveOptionsFile();
  common_.DisplayValueChanged(DisplayValue::kSaturationLevel);
}

}  // namespace zuna
