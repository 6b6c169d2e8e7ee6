#pragma once
// Names of the DeviceStandard codes and the standard a device record is in.
#include "capture/devices/video_source_info.h"

namespace zuna {

// "NTSC_M", "PAL_B", "PAL_D", "PAL_G", "PAL_I", "DIGITAL", "UNKNOWN"; "UNKNOWN" for any other code.
const wchar_t* DeviceStandardName(int code);

// The code of the device's standard: the NTSC or PAL code by its category, kStandardDigital for a
// digital device, kStandardUnknown otherwise.
int DeviceStandardOf(const VideoSourceInfo& device);

}  // namespace zuna
