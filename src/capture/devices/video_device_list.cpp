#include "capture/devices/video_device_list.h"

#include "capture/devices/video_device_formats.h"
#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

void Log(const wchar_t* text) {
  PostStampedMessage(text);
}

// The analog decoder's standard bits and the code each gives; anything else (SECAM) is refused.
struct AnalogStandard {
  std::int32_t bits;
  int code;
  int category;
};
constexpr AnalogStandard kAnalogStandards[] = {{kAnalogNtscM, kStandardNtscM, kCategoryNtsc},
                                               {kAnalogPalB, kStandardPalB, kCategoryPal},
                                               {kAnalogPalD, kStandardPalD, kCategoryPal},
                                               {kAnalogPalG, kStandardPalG, kCategoryPal},
                                               {kAnalogPalI, kStandardPalI, kCategoryPal}};

}  // namespace

VideoDeviceList::VideoDeviceList(DeviceCatalog& catalog, CommonState& state) : catalog_(catalog), state_(state) {}

VideoDeviceList::~VideoDeviceList() {
  ReleaseAll();
}

void VideoDeviceList::ReleaseAll() {
  for (VideoSourceInfo& device : attachedDevices_) {
    if (device.sourceFilter) catalog_.ReleaseSourceFilter(device.sourceFilter);
    device.sourceFilter = {};
  }
}

Status VideoDeviceList::GetAttachedVideoDeviceList() {
  // A second enumeration starts from nothing, so the count and the list always agree.
  ReleaseAll();
  attachedDevices_.clear();
  ignoredDeviceNames_.clear();
  attachedCount_ = 0;
  currentDeviceIndex_ = -1;

  std::vector<DeviceCatalogEntry> entries;
  switch (catalog_.ListVideoInputDevices(&entries)) {
    case DeviceListing::kNoSystemEnumerator:
      Log(L"WARNING: attempt to create a system device enumerator in GetAttachedVideoDeviceList yields a 0 "
          L"enumerator\r\n");
      return kFail;
    case DeviceListing::kNoCategoryEnumerator:
      Log(L"WARNING: video input device enumerator in GetAttachedVideoDeviceList is 0\r\n");
      return kFail;
    case DeviceListing::kEmpty:
      return kOk;
    case DeviceListing::kListed:
      break;
  }
  for (const DeviceCatalogEntry& entry : entries) {
    if (!entry.moniker) {
      Log(L"WARNING: video input device moniker is 0 in GetAttachedVideoDeviceList\r\n");
      continue;
    }
    if (!entry.propertyBag) {
      Log(L"WARNING: video input device moniker property bag is 0 in GetAttachedVideoDeviceList\r\n");
      continue;
    }
    if (!entry.nameRead) continue;
    VideoSourceInfo record = MakeVideoSourceInfo(entry.friendlyName);
    if (Succeeded(ValidateVideoCaptureDevice(entry.moniker, record))) {
      attachedDevices_.push_back(std::move(record));
      ++attachedCount_;
      continue;
    }
    PostUnstampedMessage(L"Device \"" + record.friendlyName + L"\" cannot be used for video capture\r\n");
    ignoredDeviceNames_.push_back(record.friendlyName);
    if (record.sourceFilter) catalog_.ReleaseSourceFilter(record.sourceFilter);
  }
  return kOk;
}

Status VideoDeviceList::ValidateVideoCaptureDevice(DeviceMoniker moniker, VideoSourceInfo& record) {
  record.category = kCategoryUnassigned;
  FilterRef filter;
  if (Failed(catalog_.BindSourceFilter(moniker, &filter)) || !filter) return kFail;
  record.sourceFilter = filter;
  if (Failed(ClassifyDevice(record))) return kFail;
  if (Failed(ReadFormats(record))) return kFail;
  if (currentDeviceIndex_ == -1) currentDeviceIndex_ = 0;
  ReadProperties(record);
  return kOk;
}

Status VideoDeviceList::ClassifyDevice(VideoSourceInfo& record) {
  if (!catalog_.HasAnalogDecoder(record.sourceFilter)) {
    record.category = kCategoryDigital;
    return kOk;
  }
  record.ntscStandard = record.palStandard = kStandardUnknown;
  std::int32_t bits = 0;
  if (Failed(catalog_.GetAnalogVideoStandard(record.sourceFilter, &bits))) return kFail;
  for (const AnalogStandard& standard : kAnalogStandards) {
    if (standard.bits != bits) continue;
    (standard.category == kCategoryNtsc ? record.ntscStandard : record.palStandard) = standard.code;
    record.category = standard.category;
    record.isAnalog = true;
    return kOk;
  }
  Log(L"Unsupported analog format, possibly SECAM\r\n");
  return kFail;
}

Status VideoDeviceList::ReadFormats(VideoSourceInfo& record) {
  int count = 0;
  if (Failed(GetVideoDeviceFormats(catalog_, &record, &count))) return kFail;
  if (count > 0) return kOk;
  if (record.category == kCategoryDigital) {
    PostStampedMessage(L"Video device " + record.friendlyName + L" has no video format entries\r\n");
  }
  return kFail;
}

void VideoDeviceList::ReadProperties(VideoSourceInfo& record) {
  if (!catalog_.HasProcAmp(record.sourceFilter)) return;
  for (std::size_t slot = 0; slot < kPropertySlots; ++slot) {
    SetDevicePropertyValues(&catalog_, record.sourceFilter, kPropertyIds[slot], &record.properties[slot], quiet,
                            state_.startupInProgress);
  }
  record.propertiesRead = true;
}

Status VideoDeviceList::GetVideoSourceBaseFilter(VideoSourceInfo& record) {
  if (record.sourceFilter) return kOk;
  std::vector<DeviceCatalogEntry> entries;
  switch (catalog_.ListVideoInputDevices(&entries)) {
    case DeviceListing::kNoSystemEnumerator:
      Log(L"WARNING: attempt to create a system device enumerator in GetVideoSourceBaseFilter yields a 0 "
          L"enumerator\r\n");
      return kFail;
    case DeviceListing::kNoCategoryEnumerator:
      Log(L"Logic error: attempt to get base filter for a VideoSourceInfo, but cannot enumerate video devices\r\n");
      return kFail;
    case DeviceListing::kEmpty:
      Log(L"Logic error: attempt to get base filter for a VideoSourceInfo, but no video devices are found\r\n");
      return kFail;
    case DeviceListing::kListed:
      break;
  }
  return BindByName(record, entries);
}

// The first device whose name, cut as the record's was, equals the record's name exactly.
Status VideoDeviceList::BindByName(VideoSourceInfo& record, const std::vector<DeviceCatalogEntry>& entries) {
  for (const DeviceCatalogEntry& entry : entries) {
    if (!entry.moniker) {
      Log(L"WARNING: video input device moniker is 0 in GetVideoSourceBaseFilter\r\n");
      continue;
    }
    if (!entry.propertyBag) {
      Log(L"WARNING: video input device moniker property bag is 0 in GetVideoSourceBaseFilter\r\n");
      continue;
    }
    if (!entry.nameRead || MakeVideoSourceInfo(entry.friendlyName).friendlyName != record.friendlyName) continue;
    FilterRef filter;
    if (Failed(catalog_.BindSourceFilter(entry.moniker, &filter)) || !filter) break;
    record.sourceFilter = filter;
    return kOk;
  }
  Log(L"WARNING: returned base filter pointer is 0 in GetVideoSourceBaseFilter\r\n");
  return kFail;
}

VideoSourceInfo* VideoDeviceList::CurrentDevice() {
  if (attachedDevices_.empty()) {
    Log(L"Logic error: attempt to get current video source structure with no source devices\r\n");
    return nullptr;
  }
  if (currentDeviceIndex_ < 0 || static_cast<std::size_t>(currentDeviceIndex_) >= attachedDevices_.size()) {
    Log(L"Logic error: attempt to get current video source structure with invalid source index\r\n");
    return nullptr;
  }
  return &attachedDevices_[static_cast<std::size_t>(currentDeviceIndex_)];
}

const VideoFormat* VideoDeviceList::CurrentFormat() const {
  if (currentDeviceIndex_ < 0 || static_cast<std::size_t>(currentDeviceIndex_) >= attachedDevices_.size()) {
    return nullptr;
  }
  return CurrentFormatOf(attachedDevices_[static_cast<std::size_t>(currentDeviceIndex_)]);
}

}  // namespace zuna
