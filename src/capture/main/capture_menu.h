#pragma once
// The capture program's menu bar: its command identifiers and which items the state leaves usable.
#include <functional>
#include <vector>

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

  // What the check marks show.
  bool toolOpen[4] = {};
  bool gpsConnected = false;
  bool deviceSelectionOpen = false;
  bool devicePropertiesOpen = false;
  std::vector<unsigned> openWindows;  // the Events and Options menus' windows that are open
};

// The whole menu bar for `state`: which items exist, which are usable and which are checked.
MenuModel BuildCaptureMenu(const CaptureMenuIds& ids, const CaptureMenuState& state);

// While recording, and when a program folder is missing, only the File menu stays usable. Only the
// pop-ups change, so that check marks set meanwhile stay.
void GreyCaptureMenus(MenuModel& menu, bool grey);

}  // namespace zuna
