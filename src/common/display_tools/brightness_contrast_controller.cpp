#include "common/display_tools/brightness_contrast_controller.h"

#include "common/foundation/zuna_common.h"

namespace zuna {

BrightnessContrastController::BrightnessContrastController(ZunaCommon& common, WindowView& view,
                                                           std::function<void(int, int)> apply)
    : DisplayToolController(common, view, kToolBrightnessContrast), apply_(std::move(apply)) {}

void BrightnessContrastController::Initialize() {
  for (int slider : {kBrightnessSlider, kContrastSlider}) {
    view_.SetSliderRange(slider, 0, 100, 25, 1);
    view_.SetSliderPosition(slider, 50);
  }
}

// The window comes back with the values it had; the graph is given them again.
void BrightnessContrastController::Prepare() {
  if (apply_) apply_(view_.SliderPosition(kBrightnessSlider), view_.SliderPosition(kContrastSlider));
}

void BrightnessContrastController::OnSliderMoved(int control) {
  if (control != kBrightnessSlider && control != kContrastSlider) return;
  if (apply_) apply_(view_.SliderPosition(kBrightnessSlider), view_.SliderPosition(kContrastSlider));
  common_.DisplayValueChanged(DisplayValue::kBrightnessContrast);
}

}  // namespace zuna
