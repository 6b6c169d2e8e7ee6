#include "capture/devices/fake_device_catalog.h"

namespace zuna::test {
namespace {

// Pin ids: the device's filter id times 16 plus the pin's place.
constexpr std::uintptr_t kPinsPerFilter = 16;

}  // namespace

FakeDevice NtscGrabber(const std::wstring& name) {
  FakeDevice device;
  device.name = name;
  device.analog = true;
  device.standardBits = kAnalogNtscM;
  device.outputPinTypes = {{VideoType(kSubtypeYuy2, 720, 480, kNtscFrame), VideoType(kSubtypeYuy2, 720, 576, kPalFrame),
                            VideoType(kSubtypeRgb32, 640, 480, kNtscFrame)}};
  for (int id : {0, 1, 2, 3, 4, 9}) device.properties[id] = FakeProperty{};
  return device;
}

FakeDevice PalGrabber(const std::wstring& name, std::int32_t bits) {
  FakeDevice device = NtscGrabber(name);
  device.standardBits = bits;
  return device;
}

FakeDevice DigitalCamera(const std::wstring& name) {
  FakeDevice device;
  device.name = name;
  device.outputPinTypes = {{VideoType(kSubtypeYuy2, 640, 480, kNtscFrame), VideoType(kSubtypeYuy2, 640, 480, 666667),
                            VideoType(kSubtypeRgb32, 1280, 720, 333333)}};
  device.procAmp = false;
  return device;
}

DeviceListing FakeDeviceCatalog::ListVideoInputDevices(std::vector<DeviceCatalogEntry>* entries) {
  entries->clear();
  if (listing != DeviceListing::kListed) return listing;
  if (devices.empty()) return DeviceListing::kEmpty;
  for (std::size_t i = 0; i < devices.size(); ++i) {
    const FakeDevice& device = devices[i];
    entries->push_back({DeviceMoniker{device.nullMoniker ? 0 : i + 1}, device.propertyBag, device.nameRead,
                        device.nameRead ? device.name : L""});
  }
  return DeviceListing::kListed;
}

Status FakeDeviceCatalog::BindSourceFilter(DeviceMoniker moniker, FilterRef* filter) {
  const std::size_t index = moniker.id - 1;
  if (index >= devices.size() || devices[index].bindFails) return kFail;
  *filter = makeFilter ? makeFilter() : FilterRef{nextFilter_++};
  filterDevice_[filter->id] = index;
  bound.push_back(devices[index].name);
  return kOk;
}

FakeDevice* FakeDeviceCatalog::DeviceOf(FilterRef filter) {
  auto found = filterDevice_.find(filter.id);
  return found == filterDevice_.end() ? nullptr : &devices[found->second];
}

bool FakeDeviceCatalog::HasAnalogDecoder(FilterRef filter) {
  const FakeDevice* device = DeviceOf(filter);
  return device != nullptr && device->analog;
}

Status FakeDeviceCatalog::GetAnalogVideoStandard(FilterRef filter, std::int32_t* standard) {
  const FakeDevice* device = DeviceOf(filter);
  if (device == nullptr || !device->analog || device->standardReadFails) return kFail;
  *standard = device->standardBits;
  return kOk;
}

Status FakeDeviceCatalog::SetAnalogVideoStandard(FilterRef filter, std::int32_t standard) {
  FakeDevice* device = DeviceOf(filter);
  standardsSet.push_back(standard);
  if (device == nullptr || device->acceptedStandards.count(standard) == 0) return kFail;
  device->standardBits = standard;
  return kOk;
}

bool FakeDeviceCatalog::HasProcAmp(FilterRef filter) {
  const FakeDevice* device = DeviceOf(filter);
  return device != nullptr && device->procAmp;
}

Status FakeDeviceCatalog::GetProcAmpValue(FilterRef filter, int property, std::int32_t* value, std::int32_t* flags) {
  const FakeDevice* device = DeviceOf(filter);
  if (device == nullptr) return kFail;
  auto found = device->properties.find(property);
  if (found == device->properties.end() || found->second.valueFails) return kFail;
  *value = found->second.value;
  *flags = found->second.flags;
  return kOk;
}

Status FakeDeviceCatalog::GetProcAmpRange(FilterRef filter, int property, ProcAmpLimits* limits) {
  const FakeDevice* device = DeviceOf(filter);
  if (device == nullptr) return kFail;
  auto found = device->properties.find(property);
  if (found == device->properties.end() || found->second.rangeFails) return kFail;
  *limits = found->second.limits;
  return kOk;
}

Status FakeDeviceCatalog::SetProcAmpValue(FilterRef filter, int property, std::int32_t value, std::int32_t flags) {
  FakeDevice* device = DeviceOf(filter);
  propertiesSet.push_back({property, value, flags});
  if (device == nullptr) return kFail;
  auto found = device->properties.find(property);
  if (found == device->properties.end() || found->second.setFails) return kFail;
  found->second.value = value;
  return kOk;
}

Status FakeDeviceCatalog::EnumerateSourcePins(FilterRef filter, std::vector<PinInfo>* pins) {
  const FakeDevice* device = DeviceOf(filter);
  if (device == nullptr || device->pinEnumeratorMissing) return kPointer;
  pins->clear();
  const std::uintptr_t base = filter.id * kPinsPerFilter;
  if (!device->inputPinTypes.empty()) pins->push_back({PinRef{base}, PinDirection::kInput, L"Video In"});
  if (device->nullPin) pins->push_back({PinRef{}, PinDirection::kOutput, L""});
  for (std::size_t i = 0; i < device->outputPinTypes.size(); ++i) {
    pins->push_back({PinRef{base + 1 + i}, PinDirection::kOutput, L"Capture " + std::to_wstring(i)});
  }
  return kOk;
}

Status FakeDeviceCatalog::EnumeratePinMediaTypes(PinRef pin, std::vector<MediaTypeInfo>* types) {
  ++pinTypeReads;
  const FakeDevice* device = DeviceOf(FilterRef{pin.id / kPinsPerFilter});
  if (device == nullptr) return kFail;
  const std::uintptr_t place = pin.id % kPinsPerFilter;
  if (place == 0) {
    *types = device->inputPinTypes;
  } else if (place - 1 < device->outputPinTypes.size()) {
    *types = device->outputPinTypes[place - 1];
  } else {
    return kFail;
  }
  return kOk;
}

CodecListing FakeCodecCatalog::ListVideoCompressors(std::vector<CodecCatalogEntry>* entries) {
  entries->clear();
  if (listing != CodecListing::kListed) return listing;
  for (std::size_t i = 0; i < names.size(); ++i) entries->push_back({DeviceMoniker{i + 1}, true, names[i]});
  return CodecListing::kListed;
}

Status FakeCodecCatalog::BindCodecFilter(DeviceMoniker moniker, FilterRef* filter) {
  const std::size_t index = moniker.id - 1;
  if (index >= names.size() || unbindable.count(names[index]) != 0) return kFail;
  *filter = makeFilter ? makeFilter(names[index]) : FilterRef{700 + index};
  return kOk;
}

}  // namespace zuna::test
