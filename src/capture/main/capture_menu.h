#pragma once
// The capture program's menu bar: its command identifiers and which items the state leaves usable.
#include <functional>

#include "common/windows/menu_model.h"

namespace zuna {

// Menu command identifiers of the capture main window, taken in this order from the counter.
struct CaptureMenuIds {
  unsigned selectVideoDevice, videoDeviceProperties, fileOptions, durationDefault, codec, eventPending, performance,
      miscellaneous, timeLapseOptions, gpsReceiver, saveWindowPositions, exit, schedule, editAndDelete, importXmlEvents,
      brightnessContrast, pixelSaturation, magnify, crosshairs, captureOverview, captureVersionHistory;
};
CaptureMenuIds TakeCaptureMenuIds(const std::function<unsigned()>& nextIdentifier);

struct CaptureMenuState {
  bool anyDevice = false;
  bool currentDevice = false;
  bool recording = false;
  bool foldersFailed = false;
  bool toolUnavailable[4] = {};  // magnify, brightness/contrast, pixel saturation, crosshairs
  bool toolWindowExists[4] = {};
  // Windows that this build provides; a command whose window is missing stays grey.
  bool deviceWindows = false;     // device selection
  bool propertiesWindow = false;  // device properties
  bool optionsWindows = false;
  bool codecWindow = false;
  bool eventWindows = false;
  bool gpsWindow = false;
  bool optionsFileWriter = false;
};

MenuModel BuildCaptureMenu(const CaptureMenuIds& ids, const CaptureMenuState& state);

}  // namespace zuna
