#pragma once
// One attached capture device as the capture program keeps it. Only the fields that the options
// file and the start-up matching need are here so far.
#include <cstddef>
#include <string>
#include <string_view>

namespace zuna {

// Device names and key names hold at most 255 characters.
inline constexpr std::size_t kMaxDeviceNameLength = 255;

struct VideoSourceInfo {
  bool isDefaultDevice = false;
  bool defaultDevicePending = false;
  bool ignored = false;
  bool listedAsExcluded = false;
  bool hasConfiguration = false;  // a saved configuration carries the device's name
  bool codecNodeRead = false;     // a "UseCodec" node named the device
  bool codecChosen = false;
  int useCodec = 0;  // 0 = "NONE", 1 = the first Lagarith entry of the codec list
  std::wstring friendlyName;
  std::wstring deviceKeyName;  // friendlyName without blanks: the device's key in the options file
};

// The friendly name without its blanks, at most 255 characters.
std::wstring MakeDeviceKeyName(std::wstring_view friendlyName);

// A fresh record for a device of that name (cut at 255 characters).
VideoSourceInfo MakeVideoSourceInfo(std::wstring_view friendlyName);

}  // namespace zuna
