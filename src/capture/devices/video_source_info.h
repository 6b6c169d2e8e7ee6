#pragma once
// One attached capture device as the capture program keeps it: the fields that the options file
// and the start-up matching need, and what device validation learns about the device (its
// standard, picture properties and capture formats).
#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "video/player/media_graph_types.h"

namespace zuna {

// Device names and key names hold at most 255 characters.
inline constexpr std::size_t kMaxDeviceNameLength = 255;

// DeviceStandard codes; the main window and the logs show their names.
enum DeviceStandard : int {
  kStandardNtscM = 0,
  kStandardPalB = 1,
  kStandardPalD = 2,
  kStandardPalG = 3,
  kStandardPalI = 4,
  kStandardDigital = 5,
  kStandardUnknown = 6,
};

// StandardCategory: which group of formats the device offers.
enum StandardCategory : int { kCategoryNtsc = 0, kCategoryPal = 1, kCategoryDigital = 2, kCategoryUnassigned = 3 };

// One picture property as the device reports it. The presets stay when it cannot be read.
struct ProcAmpRange {
  int supported = 0;  // 1: the property could be read
  std::int32_t current = INT32_MIN;
  std::int32_t minimum = INT32_MIN;
  std::int32_t maximum = INT32_MAX;
  std::int32_t stepping = INT32_MAX;
  std::int32_t defaultValue = INT32_MIN;
};

// The six picture properties in their slots: Brightness, Contrast, Hue, Saturation, Sharpness, Gain.
inline constexpr std::size_t kPropertySlots = 6;

// One capture format the device offers and validation kept.
struct VideoFormat {
  MediaTypeInfo mediaType;  // the device's own description, handed back when the format is set
  std::wstring rateText;    // "%d" of frameRate
  std::wstring sizeText;    // for example "720x480"
  int width = 0;
  int height = 0;
  int frameRate = 0;  // frames per second, rounded
  MediaGuid subtype;  // YUY2 or RGB32
};

// The formats that share one frame rate, in the order the device listed them.
struct FrameRateGroup {
  int frameRate = 0;
  std::wstring rateText;
  std::vector<VideoFormat> formats;
};

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

  // What validation and recording keep.
  bool manualRecording = false;
  bool eventRecording = false;
  bool isAnalog = false;                // an analog video decoder with a supported standard
  bool propertiesRead = false;          // the picture properties were read
  FilterRef sourceFilter;               // the device's capture filter; none until bound
  int ntscStandard = kStandardUnknown;  // kStandardNtscM or kStandardUnknown
  int palStandard = kStandardUnknown;   // kStandardPalB .. kStandardPalI or kStandardUnknown
  std::array<ProcAmpRange, kPropertySlots> properties{};
  int category = kCategoryUnassigned;
  int analogFormatIndex = 0;   // within ntscGroup or palGroup
  int digitalRateIndex = 0;    // within digitalGroups
  int digitalFormatIndex = 0;  // within that group
  FrameRateGroup ntscGroup{30, L"30", {}};
  FrameRateGroup palGroup{25, L"25", {}};
  std::vector<FrameRateGroup> digitalGroups;
  std::wstring lastRecordingPath;
};

// The friendly name without its blanks, at most 255 characters.
std::wstring MakeDeviceKeyName(std::wstring_view friendlyName);

// A fresh record for a device of that name (cut at 255 characters).
VideoSourceInfo MakeVideoSourceInfo(std::wstring_view friendlyName);

}  // namespace zuna
