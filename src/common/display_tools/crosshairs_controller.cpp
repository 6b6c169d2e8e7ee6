#include "common/display_tools/crosshairs_controller.h"

#include <string>

#include "common/foundation/zuna_common.h"

namespace zuna {

CrosshairsController::CrosshairsController(ZunaCommon& common, WindowView& view, RepeatTimer& timer)
    : DisplayToolController(common, view, kToolCrosshairs), timer_(timer) {}

void CrosshairsController::Initialize() {
  view_.SetText(kLabel, L"Crosshairs Intensity");
  SetIntensityFormat(IntensityFormat::kOther);
  ShowCentre();
}

void CrosshairsController::SetIntensityFormat(IntensityFormat format) {
  int minimum = 0;
  int maximum = 0;
  if (format == IntensityFormat::kYuy2) {
    minimum = 55;
    maximum = 235;
  } else if (format == IntensityFormat::kRgb) {
    minimum = 50;
    maximum = 255;
  }
  const int middle = (minimum + maximum) / 2;
  view_.SetSliderRange(kSlider, minimum, maximum, 10, 1);
  view_.SetSliderPosition(kSlider, middle);
  common_.State().crosshairIntensity = middle;
}

void CrosshairsController::Prepare() {
  CommonState& state = common_.State();
  state.crosshairRow = state.geometry.Video().height / 2;
  state.crosshairColumn = state.geometry.Video().width / 2;
  ShowCentre();
}

void CrosshairsController::Closing() {
  OnArrowReleased();
}

void CrosshairsController::OnSliderMoved() {
  common_.State().crosshairIntensity = view_.SliderPosition(kSlider);
  common_.DisplayValueChanged(DisplayValue::kCrosshairIntensity);
}

int CrosshairsController::Row() const {
  return common_.State().crosshairRow;
}

int CrosshairsController::Column() const {
  return common_.State().crosshairColumn;
}

void CrosshairsController::ShowCentre() {
  view_.SetText(kRowText, std::to_wstring(Row()));
  view_.SetText(kColumnText, std::to_wstring(Column()));
}

void CrosshairsController::Step(ArrowDirection direction) {
  CommonState& state = common_.State();
  int row = state.crosshairRow;
  int column = state.crosshairColumn;
  switch (direction) {
    case ArrowDirection::kUp:
      if (row > 0) --row;
      break;
    case ArrowDirection::kDown:
      if (row < state.geometry.Video().height - 1) ++row;
      break;
    case ArrowDirection::kLeft:
      if (column > 0) --column;
      break;
    case ArrowDirection::kRight:
      if (column < state.geometry.Video().width - 1) ++column;
      break;
  }
  if (row == state.crosshairRow && column == state.crosshairColumn) return;
  state.crosshairRow = row;
  state.crosshairColumn = column;
  ShowCentre();
  common_.DisplayValueChanged(DisplayValue::kCrosshairPosition);
}

void CrosshairsController::OnArrowPressed(ArrowDirection direction) {
  Step(direction);
  held_ = direction;
  repeating_ = true;
  timer_.Start(kArrowRepeatDelayMs);
}

void CrosshairsController::OnArrowReleased() {
  if (!repeating_) return;
  repeating_ = false;
  timer_.Stop();
}

void CrosshairsController::OnRepeatTick() {
  if (!repeating_) return;
  Step(held_);
  timer_.Start(kArrowRepeatPeriodMs);
}

void CrosshairsController::OnArrowKey(ArrowDirection direction) {
  Step(direction);
}

void CrosshairsController::OnCentreRow() {
  common_.State().crosshairRow = common_.State().geometry.Video().height / 2;
  ShowCentre();
  common_.DisplayValueChanged(DisplayValue::kCrosshairPosition);
}

void CrosshairsController::OnCentreColumn() {
  common_.State().crosshairColumn = common_.State().geometry.Video().width / 2;
  ShowCentre();
  common_.DisplayValueChanged(DisplayValue::kCrosshairPosition);
}

}  // namespace zuna
