#pragma once
// The capture program's attached devices: enumeration and validation over the device catalog,
// the current device and format, picture properties and the analog standard. Main thread only;
// reports go to the user-messages log.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "capture/devices/device_catalog.h"
#include "capture/devices/video_source_info.h"
#include "common/foundation/common_state.h"
#include "common/foundation/status.h"

namespace zuna {

// The platform's picture property ids and the slot each has in a device record (-1: unknown id).
inline constexpr int kPropertyIds[kPropertySlots] = {0, 1, 2, 3, 4, 9};
int PropertySlot(int propertyId);

// Reads one picture property into `range` (presets first). False when it cannot be read or the
// device drives it automatically; the warning is left out while starting up or when `quiet`.
bool SetDevicePropertyValues(DeviceCatalog* catalog, FilterRef filter, int propertyId, ProcAmpRange* range, bool quiet,
                             bool startingUp);

class VideoDeviceList {
 public:
  VideoDeviceList(DeviceCatalog& catalog, CommonState& state);
  ~VideoDeviceList();
  VideoDeviceList(const VideoDeviceList&) = delete;
  VideoDeviceList& operator=(const VideoDeviceList&) = delete;

  // Enumerates and validates every device anew.
  Status GetAttachedVideoDeviceList();
  Status ValidateVideoCaptureDevice(DeviceMoniker moniker, VideoSourceInfo& record);
  // Makes sure the record's capture filter is bound, finding the device again by its name.
  Status GetVideoSourceBaseFilter(VideoSourceInfo& record);

  // The device in use; null (reported) when there is none or the index is out of range.
  VideoSourceInfo* CurrentDevice();
  const VideoFormat* CurrentFormat() const;

  // Picture properties of the current device.
  Status SetPropertyValue(int propertyId, std::int32_t value);
  Status SetPropertyToDefault(int propertyId);
  Status SetAllPropertiesToDefault();

  // Switches the current device's decoder to the family (0 NTSC, 1 PAL) and returns the
  // DeviceStandard code in use, or kStandardUnknown when the decoder refused every attempt.
  int DetermineDeviceStandard(int family);

  std::vector<VideoSourceInfo>& Devices() { return attachedDevices_; }
  const std::vector<VideoSourceInfo>& Devices() const { return attachedDevices_; }
  std::size_t AttachedCount() const { return attachedCount_; }
  int CurrentDeviceIndex() const { return currentDeviceIndex_; }
  void SetCurrentDeviceIndex(int index) { currentDeviceIndex_ = index; }
  const std::vector<std::wstring>& IgnoredDeviceNames() const { return ignoredDeviceNames_; }
  DeviceCatalog& Catalog() { return catalog_; }

  // Silences "WARNING: unable to set device property" (a window that reads properties in bulk).
  bool quiet = false;

 private:
  void ReleaseAll();
  Status ClassifyDevice(VideoSourceInfo& record);
  Status ReadFormats(VideoSourceInfo& record);
  void ReadProperties(VideoSourceInfo& record);
  Status BindByName(VideoSourceInfo& record, const std::vector<DeviceCatalogEntry>& entries);
  VideoSourceInfo* DeviceForProperty(const wchar_t* noDevice, const wchar_t* noFilter);

  DeviceCatalog& catalog_;
  CommonState& state_;
  std::vector<VideoSourceInfo> attachedDevices_;
  std::size_t attachedCount_ = 0;
  int currentDeviceIndex_ = -1;
  std::vector<std::wstring> ignoredDeviceNames_;
};

}  // namespace zuna
