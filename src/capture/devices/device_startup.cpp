#include "capture/devices/device_startup.h"

#include <algorithm>
#include <cwchar>
#include <optional>

#include "capture/devices/device_standard.h"
#include "capture/devices/video_device_formats.h"
#include "common/log/user_messages_log.h"

namespace zuna {

Status ListDevicesAtStartup(VideoDeviceList& devices) {
  const Status result = devices.GetAttachedVideoDeviceList();
  if (Failed(result)) PostStampedMessage(L"WARNING: call to get video device list failed\r\n");
  return result;
}

std::vector<StartupDevice> DescribeStartupDevices(const std::vector<VideoSourceInfo>& devices) {
  std::vector<StartupDevice> described;
  for (const VideoSourceInfo& device : devices) {
    StartupDevice entry;
    entry.name = device.friendlyName;
    entry.standardName = DeviceStandardName(DeviceStandardOf(device));
    entry.digital = device.category == kCategoryDigital;
    entry.ignored = device.ignored;
    entry.hasConfiguration = device.hasConfiguration;
    described.push_back(std::move(entry));
  }
  return described;
}

namespace {

int IndexOfSize(const FrameRateGroup& group, const std::wstring& sizeText) {
  for (std::size_t i = 0; i < group.formats.size(); ++i) {
    if (group.formats[i].sizeText == sizeText) return static_cast<int>(i);
  }
  return -1;
}

void ApplyFormat(VideoSourceInfo& device, const VideoConfiguration& configuration) {
  if (device.category == kCategoryNtsc || device.category == kCategoryPal) {
    const int index =
        IndexOfSize(device.category == kCategoryNtsc ? device.ntscGroup : device.palGroup, configuration.frameSize);
    if (index >= 0) device.analogFormatIndex = index;
    return;
  }
  if (device.category != kCategoryDigital) return;
  for (std::size_t rate = 0; rate < device.digitalGroups.size(); ++rate) {
    if (device.digitalGroups[rate].rateText != configuration.frameRate) continue;
    const int index = IndexOfSize(device.digitalGroups[rate], configuration.frameSize);
    if (index < 0) return;
    device.digitalRateIndex = static_cast<int>(rate);
    device.digitalFormatIndex = index;
    return;
  }
}

}  // namespace

void ApplySavedDeviceFormats(std::vector<VideoSourceInfo>& devices,
                             const std::vector<VideoConfiguration>& configurations) {
  for (VideoSourceInfo& device : devices) {
    for (const VideoConfiguration& configuration : configurations) {
      if (configuration.deviceName == device.friendlyName) ApplyFormat(device, configuration);
    }
  }
}

namespace {

std::optional<std::int32_t> PropertyValue(const std::wstring& text, const ProcAmpRange& range) {
  if (text.empty()) return std::nullopt;
  wchar_t* end = nullptr;
  const long long value = std::wcstoll(text.c_str(), &end, 10);
  if (end == nullptr || *end != L'\0' || value < range.minimum || value > range.maximum) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace

// The decoder's formats are listed per standard, so they are read again after the switch; a standard
// without any usable format is given up for the one the device had.
bool SwitchDeviceStandard(VideoDeviceList& devices, VideoSourceInfo& device, int family) {
  const int before = device.category;
  int count = 0;
  if (devices.DetermineDeviceStandard(family) != kStandardUnknown &&
      Succeeded(GetVideoDeviceFormats(devices.Catalog(), &device, &count)) && count > 0) {
    device.analogFormatIndex = 0;
    return true;
  }
  devices.DetermineDeviceStandard(before);
  GetVideoDeviceFormats(devices.Catalog(), &device, &count);
  return false;
}

void ApplySavedDeviceConfiguration(VideoDeviceList& devices, const std::vector<VideoConfiguration>& configurations) {
  const int index = devices.CurrentDeviceIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= devices.Devices().size()) return;
  VideoSourceInfo& device = devices.Devices()[static_cast<std::size_t>(index)];
  const auto saved = std::find_if(configurations.begin(), configurations.end(),
                                  [&](const VideoConfiguration& c) { return c.deviceName == device.friendlyName; });
  if (saved == configurations.end()) return;
  const bool ntsc = saved->standard == L"NTSC";
  if (device.isAnalog && (ntsc || saved->standard == L"PAL")) {
    const int family = ntsc ? kCategoryNtsc : kCategoryPal;
    if (device.category != family) SwitchDeviceStandard(devices, device, family);
    ApplyFormat(device, *saved);
  }
  const std::wstring* texts[kPropertySlots] = {&saved->brightness, &saved->contrast,  &saved->hue,
                                               &saved->saturation, &saved->sharpness, &saved->gain};
  for (std::size_t slot = 0; slot < kPropertySlots; ++slot) {
    const ProcAmpRange& range = device.properties[slot];
    if (range.supported == 0) continue;
    if (const auto value = PropertyValue(*texts[slot], range)) devices.SetPropertyValue(kPropertyIds[slot], *value);
  }
}

void ChooseStartupCurrentDevice(VideoDeviceList& devices, const std::wstring& defaultVideoSource) {
  for (VideoSourceInfo& device : devices.Devices()) {
    const bool named = !defaultVideoSource.empty() && device.friendlyName == defaultVideoSource;
    device.isDefaultDevice = device.defaultDevicePending = named;
  }
  devices.SetCurrentDeviceIndex(ChooseStartupDevice(DescribeStartupDevices(devices.Devices()), defaultVideoSource));
}

VideoSize StartupVideoSize(VideoDeviceList& devices) {
  VideoSize size{640, 480};
  const int index = devices.CurrentDeviceIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= devices.Devices().size()) return size;
  const VideoSourceInfo& device = devices.Devices()[static_cast<std::size_t>(index)];
  if (const VideoFormat* format = devices.CurrentFormat()) {
    size = {format->width, format->height};
  } else {
    PostStampedMessage(L"Logic error: video format pointer is 0 in MainWindowVC constructor\r\n");
  }
  if (!device.hasConfiguration) {
    PostUnstampedMessage(L"NOTE: startup device \"" + device.friendlyName +
                         L"\" has no selected codec; default is NONE\r\n");
  }
  return size;
}

Status SizeRendererToVideo(VideoPlayer& player) {
  const Status result = player.UpdateDisplaySize();
  if (Failed(result)) {
    PostStampedMessage(L"SEVERE: failure to set EVR window size\r\n");
    PostStampedMessage(L"INFO: cannot set rendering window size\r\n");
  }
  return result;
}

}  // namespace zuna
