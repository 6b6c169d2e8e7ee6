// The analog standard of capture devices: names, and switching a decoder between NTSC and PAL.
#include "capture/devices/device_standard.h"

#include "capture/devices/video_device_list.h"
#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

constexpr const wchar_t* kStandardNames[] = {L"NTSC_M", L"PAL_B", L"PAL_D", L"PAL_G", L"PAL_I", L"DIGITAL", L"UNKNOWN"};
// The decoder's bits for the codes kStandardNtscM .. kStandardPalI.
constexpr std::int32_t kStandardBits[] = {kAnalogNtscM, kAnalogPalB, kAnalogPalD, kAnalogPalG, kAnalogPalI};

}  // namespace

const wchar_t* DeviceStandardName(int code) {
  if (code < kStandardNtscM || code > kStandardUnknown) return kStandardNames[kStandardUnknown];
  return kStandardNames[code];
}

int DeviceStandardOf(const VideoSourceInfo& device) {
  switch (device.category) {
    case kCategoryNtsc:
      return device.ntscStandard;
    case kCategoryPal:
      return device.palStandard;
    case kCategoryDigital:
      return kStandardDigital;
    default:
      return kStandardUnknown;
  }
}

int VideoDeviceList::DetermineDeviceStandard(int family) {
  VideoSourceInfo* device = CurrentDevice();
  if (device == nullptr) return kStandardUnknown;
  if (!device->sourceFilter || !catalog_.HasAnalogDecoder(device->sourceFilter)) {
    PostStampedMessage(L"WARNING: analog video decoder interface is 0 in VideoPlayer::DetermineDeviceStandard\r\n");
    return kStandardUnknown;
  }
  if (family != 0 && family != 1) return kStandardUnknown;
  const bool ntsc = family == 0;
  int& known = ntsc ? device->ntscStandard : device->palStandard;
  device->category = ntsc ? kCategoryNtsc : kCategoryPal;
  const auto accepts = [&](int code) {
    return Succeeded(catalog_.SetAnalogVideoStandard(device->sourceFilter, kStandardBits[code]));
  };
  const int first = ntsc ? kStandardNtscM : kStandardPalB;
  const int last = ntsc ? kStandardNtscM : kStandardPalI;
  if (known >= first && known <= last) return accepts(known) ? known : kStandardUnknown;
  for (int code = first; code <= last; ++code) {
    if (accepts(code)) {
      known = code;
      return code;
    }
  }
  return kStandardUnknown;
}

}  // namespace zuna
