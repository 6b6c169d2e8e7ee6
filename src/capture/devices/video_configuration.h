#pragma once
// A saved device configuration: frame rate, frame size, the six picture properties and the
// standard of one device, kept by device name and stored in the options file as a "VConfig" node.
#include <cstddef>
#include <string>

namespace zuna {

struct VideoConfiguration {
  std::wstring deviceName;  // the friendly name, blanks kept
  std::wstring frameRate;   // "30", "25" or a digital format's rate text
  std::wstring frameSize;   // for example "720x480"
  std::wstring brightness;  // the six properties as decimal texts
  std::wstring contrast;
  std::wstring hue;
  std::wstring saturation;
  std::wstring sharpness;
  std::wstring gain;
  std::wstring standard;  // "NTSC", "PAL" or "DIGITAL"
  bool operator==(const VideoConfiguration&) const = default;
};

// Field capacities in characters.
inline constexpr std::size_t kMaxConfigDeviceNameLength = 255;
inline constexpr std::size_t kMaxConfigRateOrSizeLength = 19;
inline constexpr std::size_t kMaxConfigPropertyLength = 15;
inline constexpr std::size_t kMaxConfigStandardLength = 31;

}  // namespace zuna
