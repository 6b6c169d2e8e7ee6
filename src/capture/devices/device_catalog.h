#pragma once
// What device validation needs of the platform: the video-input devices with their friendly
// names, the capture filter of each, its analog video decoder, its picture properties (proc amp)
// and the media types of its pins. The DirectShow catalog lives in win/; tests use a fake.
//
// A DeviceMoniker is valid until the next listing. A FilterRef bound here is the same kind of handle
// the media graph takes; it stays valid until ReleaseSourceFilter. Every value a device reports is
// untrusted: the portable code bounds and checks it. No operation posts a message.
#include <cstdint>
#include <string>
#include <vector>

#include "common/foundation/status.h"
#include "video/player/media_graph_types.h"

namespace zuna {

struct DeviceMoniker {
  std::uintptr_t id = 0;
  explicit operator bool() const { return id != 0; }
  bool operator==(const DeviceMoniker&) const = default;
};

// One entry of the video-input category as the system enumerated it.
struct DeviceCatalogEntry {
  DeviceMoniker moniker;      // none when the enumerator handed out a null moniker
  bool propertyBag = false;   // the moniker's property bag could be opened
  bool nameRead = false;      // "FriendlyName" could be read from it
  std::wstring friendlyName;  // as the device reports it, not yet bounded
};

enum class DeviceListing {
  kListed,                // entries follow (possibly none)
  kEmpty,                 // the category holds no device
  kNoSystemEnumerator,    // the system device enumerator could not be created
  kNoCategoryEnumerator,  // the category could not be enumerated
};

// The proc-amp flags.
inline constexpr std::int32_t kProcAmpFlagsAuto = 1;
inline constexpr std::int32_t kProcAmpFlagsManual = 2;

struct ProcAmpLimits {
  std::int32_t minimum = 0;
  std::int32_t maximum = 0;
  std::int32_t stepping = 0;
  std::int32_t defaultValue = 0;
  std::int32_t capsFlags = 0;
};

// The analog decoder's standard bits.
inline constexpr std::int32_t kAnalogNtscM = 0x1;
inline constexpr std::int32_t kAnalogPalB = 0x10;
inline constexpr std::int32_t kAnalogPalD = 0x20;
inline constexpr std::int32_t kAnalogPalG = 0x40;
inline constexpr std::int32_t kAnalogPalI = 0x100;

class DeviceCatalog {
 public:
  virtual ~DeviceCatalog() = default;

  virtual DeviceListing ListVideoInputDevices(std::vector<DeviceCatalogEntry>* entries) = 0;
  virtual Status BindSourceFilter(DeviceMoniker moniker, FilterRef* filter) = 0;
  virtual void ReleaseSourceFilter(FilterRef filter) = 0;

  // The analog video decoder found through the capture graph builder (video media type).
  virtual bool HasAnalogDecoder(FilterRef filter) = 0;
  virtual Status GetAnalogVideoStandard(FilterRef filter, std::int32_t* standard) = 0;
  virtual Status SetAnalogVideoStandard(FilterRef filter, std::int32_t standard) = 0;

  // Picture properties by the platform's ids (0 brightness .. 4 sharpness, 9 gain).
  virtual bool HasProcAmp(FilterRef filter) = 0;
  virtual Status GetProcAmpValue(FilterRef filter, int property, std::int32_t* value, std::int32_t* flags) = 0;
  virtual Status GetProcAmpRange(FilterRef filter, int property, ProcAmpLimits* limits) = 0;
  virtual Status SetProcAmpValue(FilterRef filter, int property, std::int32_t value, std::int32_t flags) = 0;

  // The filter's pins (kPointer when no pin enumerator was given) and a pin's media types.
  virtual Status EnumerateSourcePins(FilterRef filter, std::vector<PinInfo>* pins) = 0;
  virtual Status EnumeratePinMediaTypes(PinRef pin, std::vector<MediaTypeInfo>* types) = 0;
};

}  // namespace zuna
