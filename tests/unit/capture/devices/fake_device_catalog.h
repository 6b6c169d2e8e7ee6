#pragma once
// Devices in memory for validation tests: names, analog decoders, picture properties and the
// media types of their pins, each of which can be made to misbehave.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "capture/devices/codec_catalog.h"
#include "capture/devices/device_catalog.h"

namespace zuna::test {

// A media type as a capture pin would list it.
inline MediaTypeInfo VideoType(MediaGuid subtype, int width, int height, std::int64_t timePerFrame) {
  MediaTypeInfo type;
  type.majorType = kMajorTypeVideo;
  type.subtype = subtype;
  type.format = FormatKind::kVideoInfo;
  type.width = width;
  type.height = height;
  type.averageTimePerFrame = timePerFrame;
  type.bitCount = subtype == kSubtypeRgb32 ? 32 : subtype == kSubtypeRgb24 ? 24 : 16;
  return type;
}

inline constexpr std::int64_t kNtscFrame = 333667;
inline constexpr std::int64_t kPalFrame = 400000;

struct FakeProperty {
  std::int32_t value = 128;
  std::int32_t flags = kProcAmpFlagsManual;
  ProcAmpLimits limits{0, 255, 1, 128, 3};
  bool valueFails = false;
  bool rangeFails = false;
  bool setFails = false;
};

struct FakeDevice {
  std::wstring name;
  bool nullMoniker = false;
  bool propertyBag = true;
  bool nameRead = true;
  bool bindFails = false;
  bool analog = false;
  std::int32_t standardBits = kAnalogNtscM;
  bool standardReadFails = false;
  std::set<std::int32_t> acceptedStandards{kAnalogNtscM, kAnalogPalB, kAnalogPalD, kAnalogPalG, kAnalogPalI};
  bool procAmp = true;
  std::map<int, FakeProperty> properties;  // by property id
  bool pinEnumeratorMissing = false;
  bool nullPin = false;
  std::vector<MediaTypeInfo> inputPinTypes;                // an input pin listed before the outputs
  std::vector<std::vector<MediaTypeInfo>> outputPinTypes;  // one entry per output pin
};

FakeDevice NtscGrabber(const std::wstring& name);
FakeDevice PalGrabber(const std::wstring& name, std::int32_t bits = kAnalogPalB);
FakeDevice DigitalCamera(const std::wstring& name);

class FakeDeviceCatalog final : public DeviceCatalog {
 public:
  DeviceListing ListVideoInputDevices(std::vector<DeviceCatalogEntry>* entries) override;
  Status BindSourceFilter(DeviceMoniker moniker, FilterRef* filter) override;
  void ReleaseSourceFilter(FilterRef filter) override { released.push_back(filter); }
  bool HasAnalogDecoder(FilterRef filter) override;
  Status GetAnalogVideoStandard(FilterRef filter, std::int32_t* standard) override;
  Status SetAnalogVideoStandard(FilterRef filter, std::int32_t standard) override;
  bool HasProcAmp(FilterRef filter) override;
  Status GetProcAmpValue(FilterRef filter, int property, std::int32_t* value, std::int32_t* flags) override;
  Status GetProcAmpRange(FilterRef filter, int property, ProcAmpLimits* limits) override;
  Status SetProcAmpValue(FilterRef filter, int property, std::int32_t value, std::int32_t flags) override;
  Status EnumerateSourcePins(FilterRef filter, std::vector<PinInfo>* pins) override;
  Status EnumeratePinMediaTypes(PinRef pin, std::vector<MediaTypeInfo>* types) override;

  FakeDevice* DeviceOf(FilterRef filter);

  std::vector<FakeDevice> devices;
  DeviceListing listing = DeviceListing::kListed;  // anything else is returned as it is
  std::function<FilterRef()> makeFilter;           // a graph's filter for each bind; ids of its own when unset
  std::vector<FilterRef> released;
  std::vector<std::wstring> bound;  // names in bind order
  std::vector<std::int32_t> standardsSet;
  struct SetCall {
    int property;
    std::int32_t value, flags;
  };
  std::vector<SetCall> propertiesSet;
  int pinTypeReads = 0;

 private:
  std::map<std::uintptr_t, std::size_t> filterDevice_;
  std::uintptr_t nextFilter_ = 5000;
};

class FakeCodecCatalog final : public CodecCatalog {
 public:
  CodecListing ListVideoCompressors(std::vector<CodecCatalogEntry>* entries) override;
  Status BindCodecFilter(DeviceMoniker moniker, FilterRef* filter) override;
  void ReleaseCodecFilter(FilterRef filter) override { released.push_back(filter); }

  std::vector<std::wstring> names;
  std::set<std::wstring> unbindable;
  CodecListing listing = CodecListing::kListed;
  std::function<FilterRef(const std::wstring&)> makeFilter;
  std::vector<FilterRef> released;
};

}  // namespace zuna::test
