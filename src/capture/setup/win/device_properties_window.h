#pragma once
// The device properties window and the configuration removal window it opens: their controls, and
// their clicks, slider moves and list selections handed to their controllers.
#include <windows.h>

#include <functional>
#include <memory>

#include "capture/setup/configuration_removal_controller.h"
#include "capture/setup/device_properties_controller.h"
#include "common/windows/win/dialog_window.h"

namespace zuna {

class DevicePropertiesWindow {
 public:
  // What the controllers need beyond their views; the window fills in the view parts and the
  // lists' layout.
  struct Parts {
    VideoDeviceList& devices;
    CaptureOptionNodes& nodes;
    std::function<bool()> save;
    std::function<Status()> stopCamera;
    std::function<Status()> startCamera;
    std::function<void()> formatChanged;
    std::function<void()> closeCrosshairs;
  };

  // The hidden windows and their controllers; false when a window could not be created.
  bool Create(CommonWindows& common, HFONT font, Parts parts);
  DevicePropertiesController& Controller() { return *controller_; }
  HWND Window() const { return window_.Window(); }

 private:
  void AddPropertyRows();
  void AddFormatLists();
  bool CreateRemovalWindow(CommonWindows& common, HFONT font, Parts& parts);
  void ShowFormatLists(bool digital);

  DialogWindow window_;
  DialogWindow removal_;
  HWND sizeLabel_ = nullptr;
  HWND rateLabel_ = nullptr;
  std::unique_ptr<DevicePropertiesController> controller_;
  std::unique_ptr<ConfigurationRemovalController> removalController_;
};

}  // namespace zuna
