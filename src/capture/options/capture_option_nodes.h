#pragma once
// The capture program's entries of the other-options section: the codec chosen per device
// ("UseCodec" + device key name), ignored devices ("ExcludedVideoSource") and saved device
// configurations ("VConfig"). They are kept here whether or not their device is attached, so that
// saving the file never drops the setup of a device that is unplugged tonight.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "capture/devices/video_configuration.h"
#include "capture/devices/video_source_info.h"
#include "common/options/options_file.h"

namespace zuna {

inline constexpr std::wstring_view kUseCodecNode = L"UseCodec";
inline constexpr std::wstring_view kExcludedVideoSourceNode = L"ExcludedVideoSource";
inline constexpr std::wstring_view kVConfigNode = L"VConfig";

struct CodecChoice {
  std::wstring deviceKeyName;
  int useCodec = 0;  // 0 or 1
  bool operator==(const CodecChoice&) const = default;
};

struct CaptureOptionNodes {
  std::vector<CodecChoice> codecChoices;           // one per device key name
  std::vector<std::wstring> excludedDeviceNames;   // friendly names, each once
  std::vector<VideoConfiguration> configurations;  // one per device name
};

// The capture program's handler of other-option entries. Entries it does not know, and nodes whose
// value it cannot understand, are left out.
void ReadCaptureOptionNode(CaptureOptionNodes& nodes, const std::wstring& key, const std::wstring& value);

// The entries to write: all codec nodes, then all excluded-device nodes, then all configurations.
std::vector<OptionEntry> WriteCaptureOptionFileNodes(const CaptureOptionNodes& nodes);

// The ten fields joined by "|", and back. The device name is what precedes the last nine bars, so a
// name holding a bar survives; fewer than ten fields give nothing.
std::wstring FormatVConfigValue(const VideoConfiguration& configuration);
std::optional<VideoConfiguration> ParseVConfigValue(std::wstring_view value);

// Replaces the choice for the device or appends it.
void SetCodecChoice(CaptureOptionNodes& nodes, std::wstring_view deviceKeyName, int useCodec);
// Replaces the configuration with the same device name (exact comparison) or appends it.
void SetConfiguration(CaptureOptionNodes& nodes, const VideoConfiguration& configuration);
// Removes the configuration of that device name; false when there was none.
bool RemoveConfiguration(CaptureOptionNodes& nodes, std::wstring_view deviceName);

// Start-up matching: a device named by a configuration is marked as having one; a device with a
// codec node takes its choice; a device listed as excluded is marked ignored.
void MatchDevicesWithSavedOptions(std::vector<VideoSourceInfo>& devices, const CaptureOptionNodes& nodes);

// After the device selection window's OK: every ignored attached device is listed as excluded and
// every attached device no longer ignored is taken off the list; names of devices that are not
// attached stay listed. True when the list changed.
bool UpdateExcludedDevices(std::vector<VideoSourceInfo>& devices, CaptureOptionNodes& nodes);

}  // namespace zuna
