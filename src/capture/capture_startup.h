#pragma once
// The decisions of the capture program's start-up that need no window: the start-up device, the
// start-up report, the program folders and the menu bar.
#include <functional>
#include <string>
#include <vector>

#include "common/menu_model.h"
#include "common/program_folders.h"

namespace zuna {

// What start-up needs to know of an attached capture device.
struct StartupDevice {
  std::wstring name;
  std::wstring standardName;  // "NTSC_M", "PAL_B", ... for analog devices
  bool digital = false;
  bool ignored = false;
  bool hasConfiguration = false;
};

// The first non-ignored device named by `defaultVideoSource`, else the first non-ignored device;
// -1 when there is none.
int ChooseStartupDevice(const std::vector<StartupDevice>& devices, const std::wstring& defaultVideoSource);

// The untimed lines after the options file was read: options file, codec, install folder.
void PostStartupFindings(bool optionsFileRead, std::size_t codecCount, const std::wstring& processDirectory);

// "Attached video devices:" and one line per device, or the logic error when the counts differ.
void PostAttachedDevices(const std::vector<StartupDevice>& devices, std::size_t deviceLayerCount);

// Menu command identifiers of the capture main window, taken in this order from the counter.
struct CaptureMenuIds {
  unsigned selectVideoDevice, videoDeviceProperties, fileOptions, durationDefault, codec, eventPending,
      performance, miscellaneous, timeLapseOptions, gpsReceiver, saveWindowPositions, exit, schedule,
      editAndDelete, importXmlEvents, brightnessContrast, pixelSaturation, magnify, crosshairs,
      captureOverview, captureVersionHistory;
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
  bool deviceWindows = false;
  bool optionsWindows = false;
  bool eventWindows = false;
  bool gpsWindow = false;
  bool optionsFileWriter = false;
};

MenuModel BuildCaptureMenu(const CaptureMenuIds& ids, const CaptureMenuState& state);

}  // namespace zuna
