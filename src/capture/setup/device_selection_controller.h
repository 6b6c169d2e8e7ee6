#pragma once
// The device selection window: the attached devices and the ignored ones, the current device, the
// default device, and ignoring and restoring devices. OK saves only what changed; Cancel puts back
// what the window found.
#include <functional>
#include <string_view>
#include <vector>

#include "capture/devices/video_device_list.h"
#include "capture/options/capture_option_nodes.h"
#include "common/foundation/status.h"
#include "common/options/option_tables.h"
#include "common/windows/toggled_window.h"
#include "common/windows/window_view.h"

namespace zuna {

enum DeviceSelectionControl {
  kDeviceList = 601,
  kIgnoredDeviceList,
  kDefaultDeviceBox,
  kIgnoreDeviceButton,
  kRestoreDeviceButton,
  kDeviceSelectionOkButton,
  kDeviceSelectionCancelButton,
};

inline constexpr std::wstring_view kDeviceSelectionsSavedMessage =
    L"Video device selections saved in capture options file\r\n";

struct DeviceSelectionParts {
  WindowView& view;
  VideoDeviceList& devices;
  OptionTables& options;
  CaptureOptionNodes& nodes;
  std::function<bool()> save;  // rewrites the options file
  std::function<Status()> stopCamera;
  std::function<Status()> startCamera;
  // The current device changed: menus, record controls and video windows follow it.
  std::function<void()> deviceChanged;
};

// The menu command on the open window is its Cancel.
class DeviceSelectionController final : public ToggledWindow {
 public:
  explicit DeviceSelectionController(DeviceSelectionParts parts) : ToggledWindow(parts.view), p_(std::move(parts)) {}

  void Open() override;
  void Cancel();

  void OnDeviceSelected();
  void OnDefaultDeviceClicked();
  void OnIgnore();
  void OnRestore();
  void OnOk();

 private:
  struct Found {
    bool ignored, isDefault, pending, excluded;
  };
  void Dismiss() override { Cancel(); }
  void FillLists();
  VideoSourceInfo* Highlighted(int list, const std::vector<int>& rows);
  void MakeCurrent(int index);

  DeviceSelectionParts p_;
  std::vector<int> listed_;         // device index of each row of the device list
  std::vector<int> ignoredListed_;  // and of the ignored list
  // What the window found, for Cancel.
  int foundCurrent_ = -1;
  std::vector<Found> found_;
  std::wstring foundDefaultToSave_;
};

}  // namespace zuna
