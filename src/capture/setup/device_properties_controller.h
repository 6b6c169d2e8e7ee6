#pragma once
// The device properties window: the current device's picture properties as sliders that act on the
// device at once, its standard and formats, and saving them as the device's configuration. Cancel
// puts back the format, standard and properties the window found.
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "capture/devices/video_device_list.h"
#include "capture/options/capture_option_nodes.h"
#include "common/foundation/status.h"
#include "common/windows/toggled_window.h"
#include "common/windows/window_view.h"

namespace zuna {

enum DevicePropertiesControl {
  kPropertyLabel = 701,   // + slot: Brightness, Contrast, Hue, Saturation, Sharpness, Gain
  kPropertySlider = 711,  // + slot
  kStandardText = 721,
  kFrameRateText,
  kFrameRateList,
  kFrameSizeList,
  kSetDefaultValuesButton,
  kSwitchStandardButton,
  kSaveConfigurationBox,
  kRemoveConfigurationsBox,
  kDevicePropertiesSaveButton,
  kDevicePropertiesCancelButton,
};

inline constexpr std::wstring_view kConfigurationSavedMessage =
    L"Device configuation and properties saved in capture options file\r\n";
inline constexpr std::wstring_view kPropertiesRestoredMessage = L"Input device properties are restored\r\n";
inline constexpr std::wstring_view kStandardSwitchQuestion =
    L"Format change requires manual application restart.  Continue?";

struct DevicePropertiesParts {
  WindowView& view;
  VideoDeviceList& devices;
  CaptureOptionNodes& nodes;
  std::function<bool()> save;  // rewrites the options file
  std::function<Status()> stopCamera;
  std::function<Status()> startCamera;
  std::function<bool()> confirmStandardSwitch;        // the question above; true for Yes
  std::function<void(bool digital)> showFormatLists;  // a digital device's lists, and room for them
  // The current format changed: the video size follows it and the camera starts again.
  std::function<void()> formatChanged;
  std::function<void()> closeCrosshairs;  // its centre depends on the frame size
  std::function<void()> toggleRemovalWindow;
};

class DevicePropertiesController final : public ToggledWindow {
 public:
  explicit DevicePropertiesController(DevicePropertiesParts parts) : ToggledWindow(parts.view), p_(std::move(parts)) {}

  void Open() override;
  // Hides the window; what was changed stays on the device.
  void Close() { HideClosed(); }
  void Cancel();

  void OnSlider(int slot);
  void OnSetDefaultValues();
  void OnSwitchStandard();
  void OnFrameRateSelected();
  void OnFrameSizeSelected();
  void OnBoxClicked(int box);
  void OnSave();
  // The saved configurations changed elsewhere (the removal window).
  void OnConfigurationsChanged();

 private:
  struct Found {
    int category = kCategoryUnassigned;
    int analogFormatIndex = 0;
    int digitalRateIndex = 0;
    int digitalFormatIndex = 0;
    std::array<std::int32_t, kPropertySlots> values{};
  };
  VideoSourceInfo* Device();
  void Populate(VideoSourceInfo& device);
  void ShowStandard(const VideoSourceInfo& device);
  void FillFormatLists(const VideoSourceInfo& device);
  void ShowProperties(const VideoSourceInfo& device);
  void SetConfigurationBoxes(const VideoSourceInfo& device);
  void SaveConfiguration(VideoSourceInfo& device);
  bool RestoreFormat(VideoSourceInfo& device);

  DevicePropertiesParts p_;
  Found found_;
  std::vector<int> sizeRows_;  // format index within the rate group of each frame-size row
};

}  // namespace zuna
