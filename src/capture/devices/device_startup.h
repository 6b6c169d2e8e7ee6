#pragma once
// The capture program's start-up steps that concern devices: the device list, the start-up
// device, the video size and the renderer's size. The start-up report and the choice itself
// (capture_startup.h) work on StartupDevice records made here.
#include <string>
#include <vector>

#include "capture/devices/video_configuration.h"
#include "capture/devices/video_device_list.h"
#include "capture/main/capture_startup.h"
#include "common/foundation/common_state.h"
#include "common/foundation/status.h"
#include "video/player/video_player.h"

namespace zuna {

// Enumerates the devices; a failure is reported and the program goes on with an empty list.
Status ListDevicesAtStartup(VideoDeviceList& devices);

// What the start-up report and the start-up choice need of each attached device.
std::vector<StartupDevice> DescribeStartupDevices(const std::vector<VideoSourceInfo>& devices);

// Each device with a saved configuration (same friendly name) takes the format it was saved with:
// the frame size within its NTSC or PAL group, or the rate group and size of a digital device. A
// configuration naming a format the device no longer offers leaves the device's choice as it is.
void ApplySavedDeviceFormats(std::vector<VideoSourceInfo>& devices,
                             const std::vector<VideoConfiguration>& configurations);

// The current device takes the standard and the six picture properties of its saved configuration,
// and its format again, since a changed standard changes the group the size is found in. A
// property value that does not parse or lies outside the device's range is left as the device has it.
void ApplySavedDeviceConfiguration(VideoDeviceList& devices, const std::vector<VideoConfiguration>& configurations);

// Switches the device's decoder to the family (kCategoryNtsc or kCategoryPal) and reads its formats
// for it. A decoder that refuses every standard of the family, or offers no format in it, is put back
// to the standard it had; false then.
bool SwitchDeviceStandard(VideoDeviceList& devices, VideoSourceInfo& device, int family);

// Marks the devices named by "DefaultVideoSource" and makes the chosen device current (-1: none).
void ChooseStartupCurrentDevice(VideoDeviceList& devices, const std::wstring& defaultVideoSource);

// The video size of the current format (640x480 without a device or format), and the note for a
// device that has no saved configuration.
VideoSize StartupVideoSize(VideoDeviceList& devices);

// Sizes the renderer's picture to the display size; reports a failure and goes on.
Status SizeRendererToVideo(VideoPlayer& player);

}  // namespace zuna
