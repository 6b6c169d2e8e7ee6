#pragma once
// The decisions of the capture program's start-up that need no window: the start-up device, the
// start-up report and the program folders.
#include <string>
#include <vector>

#include "common/foundation/program_folders.h"

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

}  // namespace zuna
