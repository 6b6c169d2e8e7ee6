#pragma once
// The device selection window: its controls, and its clicks and list selections handed to
// DeviceSelectionController.
#include <windows.h>

#include <functional>
#include <memory>

#include "capture/setup/device_selection_controller.h"
#include "common/windows/win/dialog_window.h"

namespace zuna {

class DeviceSelectionWindow {
 public:
  // The hidden window and its controller; false when the window could not be created.
  // `partsFor` gives the controller's parts around the window's view.
  bool Create(CommonWindows& common, HFONT font, const std::function<DeviceSelectionParts(WindowView&)>& partsFor);
  DeviceSelectionController& Controller() { return *controller_; }
  HWND Window() const { return window_.Window(); }

 private:
  DialogWindow window_;
  std::unique_ptr<DeviceSelectionController> controller_;
};

}  // namespace zuna
