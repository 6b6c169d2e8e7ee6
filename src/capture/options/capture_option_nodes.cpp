#include "capture/options/capture_option_nodes.h"

#include <algorithm>
#include <array>

namespace zuna {
namespace {

std::wstring Cut(std::wstring_view text, std::size_t capacity) {
  return std::wstring(text.substr(0, std::min(text.size(), capacity)));
}

bool Contains(const std::vector<std::wstring>& names, std::wstring_view name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

void ReadUseCodec(CaptureOptionNodes& nodes, std::wstring_view deviceKeyName, std::wstring_view value) {
  if (deviceKeyName.empty() || (value != L"0" && value != L"1")) return;
  SetCodecChoice(nodes, Cut(deviceKeyName, kMaxDeviceNameLength), value == L"1" ? 1 : 0);
}

void ReadExcluded(CaptureOptionNodes& nodes, std::wstring_view value) {
  const std::wstring name = Cut(value, kMaxDeviceNameLength);
  if (!name.empty() && !Contains(nodes.excludedDeviceNames, name)) nodes.excludedDeviceNames.push_back(name);
}

}  // namespace

void ReadCaptureOptionNode(CaptureOptionNodes& nodes, const std::wstring& key, const std::wstring& value) {
  if (key == kVConfigNode) {
    if (std::optional<VideoConfiguration> configuration = ParseVConfigValue(value)) {
      SetConfiguration(nodes, *configuration);
    }
  } else if (key == kExcludedVideoSourceNode) {
    ReadExcluded(nodes, value);
  } else if (key.starts_with(kUseCodecNode)) {
    ReadUseCodec(nodes, std::wstring_view(key).substr(kUseCodecNode.size()), value);
  }
}

std::vector<OptionEntry> WriteCaptureOptionFileNodes(const CaptureOptionNodes& nodes) {
  std::vector<OptionEntry> entries;
  for (const CodecChoice& choice : nodes.codecChoices) {
    entries.push_back({std::wstring(kUseCodecNode) + choice.deviceKeyName, choice.useCodec == 1 ? L"1" : L"0"});
  }
  for (const std::wstring& name : nodes.excludedDeviceNames) {
    entries.push_back({std::wstring(kExcludedVideoSourceNode), name});
  }
  for (const VideoConfiguration& configuration : nodes.configurations) {
    entries.push_back({std::wstring(kVConfigNode), FormatVConfigValue(configuration)});
  }
  return entries;
}

std::wstring FormatVConfigValue(const VideoConfiguration& c) {
  std::wstring value = c.deviceName;
  for (const std::wstring* field : {&c.frameRate, &c.frameSize, &c.brightness, &c.contrast, &c.hue, &c.saturation,
                                    &c.sharpness, &c.gain, &c.standard}) {
    value += L'|';
    value += *field;
  }
  return value;
}

std::optional<VideoConfiguration> ParseVConfigValue(std::wstring_view value) {
  // The nine fields after the device name never hold a bar; find them from the end.
  std::array<std::size_t, 9> bars{};
  std::size_t end = value.size();
  for (std::size_t i = bars.size(); i-- > 0;) {
    if (end == 0) return std::nullopt;
    const std::size_t bar = value.rfind(L'|', end - 1);
    if (bar == std::wstring_view::npos) return std::nullopt;
    bars[i] = bar;
    end = bar;
  }
  auto field = [&](std::size_t i, std::size_t capacity) {
    const std::size_t from = bars[i] + 1;
    const std::size_t to = i + 1 < bars.size() ? bars[i + 1] : value.size();
    return Cut(value.substr(from, to - from), capacity);
  };
  VideoConfiguration c;
  c.deviceName = Cut(value.substr(0, bars[0]), kMaxConfigDeviceNameLength);
  if (c.deviceName.empty()) return std::nullopt;
  c.frameRate = field(0, kMaxConfigRateOrSizeLength);
  c.frameSize = field(1, kMaxConfigRateOrSizeLength);
  c.brightness = field(2, kMaxConfigPropertyLength);
  c.contrast = field(3, kMaxConfigPropertyLength);
  c.hue = field(4, kMaxConfigPropertyLength);
  c.saturation = field(5, kMaxConfigPropertyLength);
  c.sharpness = field(6, kMaxConfigPropertyLength);
  c.gain = field(7, kMaxConfigPropertyLength);
  c.standard = field(8, kMaxConfigStandardLength);
  return c;
}

void SetCodecChoice(CaptureOptionNodes& nodes, std::wstring_view deviceKeyName, int useCodec) {
  for (CodecChoice& choice : nodes.codecChoices) {
    if (choice.deviceKeyName == deviceKeyName) {
      choice.useCodec = useCodec;
      return;
    }
  }
  nodes.codecChoices.push_back({std::wstring(deviceKeyName), useCodec});
}

void SetConfiguration(CaptureOptionNodes& nodes, const VideoConfiguration& configuration) {
  for (VideoConfiguration& existing : nodes.configurations) {
    if (existing.deviceName == configuration.deviceName) {
      existing = configuration;
      return;
    }
  }
  nodes.configurations.push_back(configuration);
}

bool RemoveConfiguration(CaptureOptionNodes& nodes, std::wstring_view deviceName) {
  const auto removed =
      std::erase_if(nodes.configurations, [&](const VideoConfiguration& c) { return c.deviceName == deviceName; });
  return removed > 0;
}

void MatchDevicesWithSavedOptions(std::vector<VideoSourceInfo>& devices, const CaptureOptionNodes& nodes) {
  for (VideoSourceInfo& device : devices) {
    device.hasConfiguration =
        std::any_of(nodes.configurations.begin(), nodes.configurations.end(),
                    [&](const VideoConfiguration& c) { return c.deviceName == device.friendlyName; });
    for (const CodecChoice& choice : nodes.codecChoices) {
      if (choice.deviceKeyName != device.deviceKeyName) continue;
      device.useCodec = choice.useCodec;
      device.codecNodeRead = true;
      device.codecChosen = true;
    }
    if (Contains(nodes.excludedDeviceNames, device.friendlyName)) {
      device.ignored = true;
      device.listedAsExcluded = true;
    }
  }
}

bool UpdateExcludedDevices(std::vector<VideoSourceInfo>& devices, CaptureOptionNodes& nodes) {
  bool changed = false;
  for (VideoSourceInfo& device : devices) {
    const bool listed = Contains(nodes.excludedDeviceNames, device.friendlyName);
    if (device.ignored && !listed) {
      nodes.excludedDeviceNames.push_back(device.friendlyName);
      changed = true;
    } else if (!device.ignored && listed) {
      std::erase(nodes.excludedDeviceNames, device.friendlyName);
      changed = true;
    }
    device.listedAsExcluded = device.ignored;
  }
  return changed;
}

}  // namespace zuna
