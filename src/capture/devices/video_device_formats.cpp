#include "capture/devices/video_device_formats.h"

#include <algorithm>
#include <string>
#include <vector>

#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;

VideoFormat MakeFormat(const MediaTypeInfo& type, int rate) {
  VideoFormat format;
  format.mediaType = type;
  format.width = type.width;
  format.height = type.height;
  format.frameRate = rate;
  format.rateText = std::to_wstring(rate);
  format.sizeText = std::to_wstring(type.width) + L"x" + std::to_wstring(type.height);
  format.subtype = type.subtype;
  return format;
}

// The kept formats of the first output pin that has any.
Status CollectFormats(DeviceCatalog& catalog, FilterRef filter, int category, std::vector<VideoFormat>& kept) {
  std::vector<PinInfo> pins;
  if (!filter || Failed(catalog.EnumerateSourcePins(filter, &pins))) {
    PostStampedMessage(L"WARNING: pin enumerator is 0 in GetVideoDeviceFormats\r\n");
    return kFail;
  }
  for (const PinInfo& pin : pins) {
    if (!pin.pin) {
      PostStampedMessage(L"WARNING: pin interface pointer is 0 in GetVideoDeviceFormats\r\n");
      continue;
    }
    if (pin.direction != PinDirection::kOutput) continue;
    std::vector<MediaTypeInfo> types;
    if (Failed(catalog.EnumeratePinMediaTypes(pin.pin, &types))) continue;
    for (const MediaTypeInfo& type : types) {
      if (kept.size() >= kMaxDeviceFormats) break;
      if (const int rate = AcceptedFrameRate(type, category); rate != 0) kept.push_back(MakeFormat(type, rate));
    }
    if (!kept.empty()) break;  // later pins are not looked at
  }
  return kOk;
}

void GroupDigitalFormats(std::vector<VideoFormat>& kept, std::vector<FrameRateGroup>& groups) {
  for (VideoFormat& format : kept) {
    auto group = std::find_if(groups.begin(), groups.end(),
                              [&](const FrameRateGroup& g) { return g.frameRate == format.frameRate; });
    if (group == groups.end()) {
      groups.push_back({format.frameRate, format.rateText, {}});
      group = groups.end() - 1;
    }
    group->formats.push_back(std::move(format));
  }
}

}  // namespace

int FrameRateFromTimePerFrame(std::int64_t averageTimePerFrame) {
  if (averageTimePerFrame <= 0 || averageTimePerFrame > static_cast<std::int64_t>(UINT32_MAX)) return 0;
  const std::int64_t t = averageTimePerFrame;
  std::int64_t rate = kUnitsPerSecond / t;
  if (kUnitsPerSecond % t > t / 2) ++rate;
  return static_cast<int>(rate);
}

int AcceptedFrameRate(const MediaTypeInfo& type, int category) {
  if (type.majorType != kMajorTypeVideo) return 0;
  if (type.subtype != kSubtypeYuy2 && type.subtype != kSubtypeRgb32) return 0;
  if (type.format != FormatKind::kVideoInfo) return 0;
  const int rate = FrameRateFromTimePerFrame(type.averageTimePerFrame);
  if (rate == 0) return 0;
  if (category == kCategoryNtsc && rate != 30) return 0;
  if (category == kCategoryPal && rate != 25) return 0;
  if (type.width < 640 || type.height < 480) return 0;
  if (type.width > kMaxVideoDimension || type.height > kMaxVideoDimension) return 0;
  return rate;
}

Status GetVideoDeviceFormats(DeviceCatalog& catalog, VideoSourceInfo* record, int* count) {
  if (record == nullptr) {
    PostStampedMessage(L"Logic error: attempt to get video device formats using a 0 pointer to VideoSourceInfo\r\n");
    return kFail;
  }
  if (count != nullptr) *count = 0;
  if (record->category < kCategoryNtsc || record->category > kCategoryDigital) {
    PostStampedMessage(L"Logic error: device standard category not assigned in GetVideoDeviceFormats\r\n");
    return kFail;
  }
  std::vector<VideoFormat> kept;
  if (Failed(CollectFormats(catalog, record->sourceFilter, record->category, kept))) return kFail;
  const int placed = static_cast<int>(kept.size());
  record->ntscGroup.formats.clear();
  record->palGroup.formats.clear();
  record->digitalGroups.clear();
  if (record->category == kCategoryNtsc) {
    record->ntscGroup.formats = std::move(kept);
  } else if (record->category == kCategoryPal) {
    record->palGroup.formats = std::move(kept);
  } else {
    GroupDigitalFormats(kept, record->digitalGroups);
  }
  if (count != nullptr) *count = placed;
  return kOk;
}

const VideoFormat* CurrentFormatOf(const VideoSourceInfo& device) {
  const auto pick = [](const std::vector<VideoFormat>& formats, int index) -> const VideoFormat* {
    if (index < 0 || static_cast<std::size_t>(index) >= formats.size()) return nullptr;
    return &formats[static_cast<std::size_t>(index)];
  };
  switch (device.category) {
    case kCategoryNtsc:
      return pick(device.ntscGroup.formats, device.analogFormatIndex);
    case kCategoryPal:
      return pick(device.palGroup.formats, device.analogFormatIndex);
    case kCategoryDigital:
      if (device.digitalRateIndex < 0 ||
          static_cast<std::size_t>(device.digitalRateIndex) >= device.digitalGroups.size()) {
        return nullptr;
      }
      return pick(device.digitalGroups[static_cast<std::size_t>(device.digitalRateIndex)].formats,
                  device.digitalFormatIndex);
    default:
      return nullptr;
  }
}

}  // namespace zuna
