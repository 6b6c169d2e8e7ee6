// Picture properties of capture devices: reading them at validation, setting them by hand and
// back to their defaults.
#include "capture/devices/video_device_list.h"
#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

void Log(const wchar_t* text) {
  PostStampedMessage(text);
}

}  // namespace

int PropertySlot(int propertyId) {
  for (std::size_t slot = 0; slot < kPropertySlots; ++slot) {
    if (kPropertyIds[slot] == propertyId) return static_cast<int>(slot);
  }
  return -1;
}

bool SetDevicePropertyValues(DeviceCatalog* catalog, FilterRef filter, int propertyId, ProcAmpRange* range, bool quiet,
                             bool startingUp) {
  if (catalog == nullptr || !filter || range == nullptr) {
    Log(L"Logic error: 0 input parameter to SetDevicePropertyValues\r\n");
    return false;
  }
  *range = ProcAmpRange{};
  std::int32_t value = 0;
  std::int32_t flags = 0;
  ProcAmpLimits limits;
  bool read = Succeeded(catalog->GetProcAmpValue(filter, propertyId, &value, &flags)) && flags != kProcAmpFlagsAuto;
  if (read) {
    range->current = value;
    // A range whose ends are crossed cannot drive a slider; the property is then left unsupported.
    read = Succeeded(catalog->GetProcAmpRange(filter, propertyId, &limits)) && limits.minimum <= limits.maximum &&
           limits.stepping >= 0;
  }
  if (!read) {
    if (!startingUp && !quiet) Log(L"WARNING: unable to set device property\r\n");
    return false;
  }
  range->minimum = limits.minimum;
  range->maximum = limits.maximum;
  range->stepping = limits.stepping;
  range->defaultValue = limits.defaultValue;
  range->supported = 1;
  return true;
}

VideoSourceInfo* VideoDeviceList::DeviceForProperty(const wchar_t* noDevice, const wchar_t* noFilter) {
  if (currentDeviceIndex_ < 0 || static_cast<std::size_t>(currentDeviceIndex_) >= attachedDevices_.size()) {
    Log(noDevice);
    return nullptr;
  }
  VideoSourceInfo& device = attachedDevices_[static_cast<std::size_t>(currentDeviceIndex_)];
  if (!device.sourceFilter) {
    Log(noFilter);
    return nullptr;
  }
  return &device;
}

Status VideoDeviceList::SetPropertyValue(int propertyId, std::int32_t value) {
  VideoSourceInfo* device = DeviceForProperty(L"Logic error: setting property value for unknown current device\r\n",
                                              L"Logic error: setting property value with 0 base filter\r\n");
  if (device == nullptr) return kFail;
  const int slot = PropertySlot(propertyId);
  if (slot < 0) {
    Log(L"WARNING: attempt to set unknown property to a value\r\n");
    return kFail;
  }
  if (!catalog_.HasProcAmp(device->sourceFilter)) {
    Log(L"WARNING: attempt to set property value with 0 interface\r\n");
    return kFail;
  }
  const Status result = catalog_.SetProcAmpValue(device->sourceFilter, propertyId, value, kProcAmpFlagsManual);
  if (Failed(result)) {
    Log(L"WARNING: cannot manually set property value\r\n");
    return result;
  }
  device->properties[static_cast<std::size_t>(slot)].current = value;
  return kOk;
}

Status VideoDeviceList::SetPropertyToDefault(int propertyId) {
  VideoSourceInfo* device =
      DeviceForProperty(L"Logic error: setting property value to default for unknown current device\r\n",
                        L"Logic error: setting property value to default with 0 base filter\r\n");
  if (device == nullptr) return kFail;
  const int slot = PropertySlot(propertyId);
  if (slot < 0) {
    Log(L"WARNING: attempt to set unknown property to default value\r\n");
    return kFail;
  }
  if (!catalog_.HasProcAmp(device->sourceFilter)) {
    Log(L"WARNING: attempt to set property value to default with 0 interface\r\n");
    return kFail;
  }
  ProcAmpRange& range = device->properties[static_cast<std::size_t>(slot)];
  if (range.defaultValue == INT32_MIN) return kOk;  // never read: nothing to go back to
  const Status result =
      catalog_.SetProcAmpValue(device->sourceFilter, propertyId, range.defaultValue, kProcAmpFlagsManual);
  if (Failed(result)) {
    Log(L"WARNING: cannot manually set property value\r\n");
    return result;
  }
  range.current = range.defaultValue;
  return kOk;
}

Status VideoDeviceList::SetAllPropertiesToDefault() {
  for (int propertyId : kPropertyIds) {
    const Status result = SetPropertyToDefault(propertyId);
    if (Failed(result)) return result;
  }
  return kOk;
}

}  // namespace zuna
