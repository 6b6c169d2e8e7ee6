// Brightness and contrast through the platform's "Color Control" video effect.
#include <algorithm>

#include "video/player/video_player.h"
#include "video/player/video_player_messages.h"

namespace zuna {

using player_detail::Fail;
using player_detail::Report;

namespace {

const wchar_t* FailureText(ColorControlStep step) {
  switch (step) {
    case ColorControlStep::kCreate:
      return L"Cannot create base filter for color control filter - no brightness/contrast\r\n";
    case ColorControlStep::kMissingInterface:
      return L"Cannot query interface on color control filter - no brightness/contrast\r\n";
    case ColorControlStep::kInitialize:
      return L"Cannot initialize the DMO Wrapper on color control filter - no brightness/contrast\r\n";
    case ColorControlStep::kPropertyStore:
      return L"Cannot obtain property store for color control filter - no brightness/contrast\r\n";
    case ColorControlStep::kNotInstalled:
      break;
  }
  return L"\r\nThe DMO color control filter is not installed - no brightness/contrast\r\n";
}

}  // namespace

std::int32_t ColorControlLevel(int percent) {
  const int p = std::clamp(percent, 0, 100);
  return p * 254 / 100 - 127;
}

Status VideoPlayer::CreateColorControlFilter() {
  const auto unavailable = [this](const wchar_t* text) {
    Report(text);
    state_.featureUnavailable[kToolBrightnessContrast] = true;
    colorControl_ = {};
    hasColorControl_ = false;
    return kFail;
  };
  FilterRef filter;
  ColorControlStep failed = ColorControlStep::kNotInstalled;
  if (Failed(graph_.EnableColorControl(&filter, &failed)) || !filter) {
    return unavailable(FailureText(failed));
  }
  hasColorControl_ = true;
  colorControl_.filter = filter;
  colorControl_.input = FindPin(filter, PinDirection::kInput);
  colorControl_.output = FindPin(filter, PinDirection::kOutput);
  if (!colorControl_.input || !colorControl_.output) {
    return unavailable(L"WARNING: cannot get pins for brightness contrast - feature not implemented\r\n");
  }
  return kOk;
}

void VideoPlayer::SetBrightnessContrast(int brightnessPercent, int contrastPercent) {
  if (brightnessPercent >= 0) brightnessPercent_ = std::min(brightnessPercent, 100);
  if (contrastPercent >= 0) contrastPercent_ = std::min(contrastPercent, 100);
  if (brightnessPercent < 0 && contrastPercent < 0) return;
  if (!hasColorControl_) {
    Report(L"Logic error: attempt to set brightness/contrast control with NULL property store cache\r\n");
    return;
  }
  if (brightnessPercent >= 0 &&
      Failed(graph_.SetColorControlValue(kColorControlBrightness, ColorControlLevel(brightnessPercent_)))) {
    Report(L"\r\nCannot set render brightness control\r\n");
  }
  if (contrastPercent >= 0 &&
      Failed(graph_.SetColorControlValue(kColorControlContrast, ColorControlLevel(contrastPercent_)))) {
    Report(L"\r\nCannot set contrast control\r\n");
  }
}

// The window's last percentages go in every time the effect is inserted.
void VideoPlayer::ApplyColorControl() {
  SetBrightnessContrast(brightnessPercent_, contrastPercent_);
}

}  // namespace zuna
