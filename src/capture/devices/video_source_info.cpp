#include "capture/devices/video_source_info.h"

#include <algorithm>

namespace zuna {

std::wstring MakeDeviceKeyName(std::wstring_view friendlyName) {
  std::wstring key;
  for (wchar_t c : friendlyName) {
    if (c != L' ') key += c;
  }
  if (key.size() > kMaxDeviceNameLength) key.resize(kMaxDeviceNameLength);
  return key;
}

VideoSourceInfo MakeVideoSourceInfo(std::wstring_view friendlyName) {
  VideoSourceInfo device;
  device.friendlyName = std::wstring(friendlyName.substr(0, std::min(friendlyName.size(), kMaxDeviceNameLength)));
  device.deviceKeyName = MakeDeviceKeyName(device.friendlyName);
  return device;
}

}  // namespace zuna
