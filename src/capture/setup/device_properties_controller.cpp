#include "capture/setup/device_properties_controller.h"

#include <algorithm>

#include "capture/devices/device_standard.h"
#include "capture/devices/device_startup.h"
#include "capture/devices/video_device_formats.h"
#include "capture/options/capture_options.h"
#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

bool IsAnalog(const VideoSourceInfo& device) {
  return device.category == kCategoryNtsc || device.category == kCategoryPal;
}

const FrameRateGroup* CurrentGroup(const VideoSourceInfo& device) {
  if (device.category == kCategoryNtsc) return &device.ntscGroup;
  if (device.category == kCategoryPal) return &device.palGroup;
  if (device.category != kCategoryDigital || device.digitalRateIndex < 0 ||
      device.digitalRateIndex >= static_cast<int>(device.digitalGroups.size())) {
    return nullptr;
  }
  return &device.digitalGroups[static_cast<std::size_t>(device.digitalRateIndex)];
}

int& FormatIndex(VideoSourceInfo& device) {
  return IsAnalog(device) ? device.analogFormatIndex : device.digitalFormatIndex;
}

}  // namespace

VideoSourceInfo* DevicePropertiesController::Device() {
  const int index = p_.devices.CurrentDeviceIndex();
  if (index < 0 || index >= static_cast<int>(p_.devices.Devices().size())) return nullptr;
  return &p_.devices.Devices()[static_cast<std::size_t>(index)];
}

void DevicePropertiesController::Open() {
  VideoSourceInfo* device = Device();
  if (device == nullptr) {
    PostStampedMessage(L"Logic error: sourceIndex is out of bounds in PopulateDeviceProperties\r\n");
    return;
  }
  found_ = {device->category, device->analogFormatIndex, device->digitalRateIndex, device->digitalFormatIndex, {}};
  for (std::size_t slot = 0; slot < kPropertySlots; ++slot) found_.values[slot] = device->properties[slot].current;
  Populate(*device);
  ShowOpened();
}

void DevicePropertiesController::Populate(VideoSourceInfo& device) {
  p_.view.SetTitle(device.friendlyName + L"  Properties");
  ShowStandard(device);
  FillFormatLists(device);
  ShowProperties(device);
  SetConfigurationBoxes(device);
}

void DevicePropertiesController::ShowStandard(const VideoSourceInfo& device) {
  const bool digital = device.category == kCategoryDigital;
  p_.view.SetText(kStandardText, digital ? L"Digital" : DeviceStandardName(DeviceStandardOf(device)));
  p_.view.SetText(kFrameRateText, device.category == kCategoryNtsc  ? L"30"
                                  : device.category == kCategoryPal ? L"25"
                                                                    : L"");
  p_.view.SetText(kSwitchStandardButton, device.category == kCategoryNtsc  ? L"Switch to PAL"
                                         : device.category == kCategoryPal ? L"Switch to NTSC"
                                                                           : L"Switch Standard");
  p_.view.ShowControl(kSwitchStandardButton, !digital);
  p_.view.Enable(kSwitchStandardButton, IsAnalog(device));
}

// A digital device's rate groups, and the sizes of the chosen group, each size text once.
void DevicePropertiesController::FillFormatLists(const VideoSourceInfo& device) {
  const bool digital = device.category == kCategoryDigital;
  p_.view.ClearRows(kFrameRateList);
  p_.view.ClearRows(kFrameSizeList);
  sizeRows_.clear();
  if (p_.showFormatLists) p_.showFormatLists(digital);
  if (!digital) return;
  for (const FrameRateGroup& group : device.digitalGroups) p_.view.AddRow(kFrameRateList, {group.rateText});
  p_.view.SelectRow(kFrameRateList, device.digitalRateIndex);
  const FrameRateGroup* group = CurrentGroup(device);
  if (group == nullptr) return;
  std::vector<const std::wstring*> listed;
  const VideoFormat* current = CurrentFormatOf(device);
  for (std::size_t i = 0; i < group->formats.size(); ++i) {
    const std::wstring& size = group->formats[i].sizeText;
    if (std::any_of(listed.begin(), listed.end(), [&](const std::wstring* text) { return *text == size; })) continue;
    listed.push_back(&size);
    sizeRows_.push_back(static_cast<int>(i));
    p_.view.AddRow(kFrameSizeList, {size});
    if (current != nullptr && current->sizeText == size) {
      p_.view.SelectRow(kFrameSizeList, static_cast<int>(sizeRows_.size()) - 1);
    }
  }
}

void DevicePropertiesController::ShowProperties(const VideoSourceInfo& device) {
  for (std::size_t slot = 0; slot < kPropertySlots; ++slot) {
    const ProcAmpRange& range = device.properties[slot];
    const bool on = device.propertiesRead && range.supported != 0;
    const int id = static_cast<int>(slot);
    p_.view.Enable(kPropertyLabel + id, on);
    p_.view.Enable(kPropertySlider + id, on);
    if (!on) continue;
    const auto page = static_cast<int>((static_cast<std::int64_t>(range.maximum) - range.minimum) / 10);
    p_.view.SetSliderRange(kPropertySlider + id, range.minimum, range.maximum, page, page);
    p_.view.SetSliderPosition(kPropertySlider + id, range.current);
  }
}

void DevicePropertiesController::SetConfigurationBoxes(const VideoSourceInfo& device) {
  p_.view.Check(kSaveConfigurationBox, false);
  p_.view.Check(kRemoveConfigurationsBox, false);
  p_.view.Enable(kDevicePropertiesSaveButton, false);
  const auto& saved = p_.nodes.configurations;
  const bool hasOwn = std::any_of(saved.begin(), saved.end(),
                                  [&](const VideoConfiguration& c) { return c.deviceName == device.friendlyName; });
  p_.view.Enable(kSaveConfigurationBox, !hasOwn);
  p_.view.Enable(kRemoveConfigurationsBox, true);
  if (hasOwn) return;
  const auto& devices = p_.devices.Devices();
  for (const VideoConfiguration& c : saved) {
    const bool attached = std::any_of(devices.begin(), devices.end(),
                                      [&](const VideoSourceInfo& d) { return d.friendlyName == c.deviceName; });
    if (!attached) {
      PostUnstampedMessage(L"Device " + c.deviceName + L" has an options configuration but is not attached\r\n");
    }
  }
}

void DevicePropertiesController::OnSlider(int slot) {
  VideoSourceInfo* device = Device();
  if (device == nullptr || slot < 0 || slot >= static_cast<int>(kPropertySlots)) return;
  if (device->properties[static_cast<std::size_t>(slot)].supported == 0) return;
  p_.devices.SetPropertyValue(kPropertyIds[slot], p_.view.SliderPosition(kPropertySlider + slot));
}

void DevicePropertiesController::OnSetDefaultValues() {
  VideoSourceInfo* device = Device();
  if (device == nullptr) return;
  if (Failed(p_.devices.SetAllPropertiesToDefault())) {
    PostStampedMessage(L"Unable to set current device properties to defaults\r\n");
  }
  ShowProperties(*device);
}

void DevicePropertiesController::OnSwitchStandard() {
  VideoSourceInfo* device = Device();
  if (device == nullptr) return;
  if (p_.confirmStandardSwitch && !p_.confirmStandardSwitch()) return;
  if (!IsAnalog(*device)) {
    PostStampedMessage(L"LOGIC ERROR: device standard category has bad value\r\n");
    return;
  }
  if (p_.stopCamera) p_.stopCamera();
  const int other = device->category == kCategoryNtsc ? kCategoryPal : kCategoryNtsc;
  if (!SwitchDeviceStandard(p_.devices, *device, other)) {
    PostStampedMessage(std::wstring(L"WARNING: the video decoder accepts no ") +
                       (other == kCategoryPal ? L"PAL" : L"NTSC") + L" standard; the device keeps its standard\r\n");
  }
  ShowStandard(*device);
  FillFormatLists(*device);
  ShowProperties(*device);
  if (p_.formatChanged) p_.formatChanged();
}

void DevicePropertiesController::OnFrameRateSelected() {
  VideoSourceInfo* device = Device();
  if (device == nullptr || device->category != kCategoryDigital) return;
  const auto rows = p_.view.SelectedRows(kFrameRateList);
  if (rows.empty() || rows.front() < 0 || rows.front() >= static_cast<int>(device->digitalGroups.size()) ||
      rows.front() == device->digitalRateIndex) {
    return;
  }
  device->digitalRateIndex = rows.front();
  device->digitalFormatIndex = 0;
  FillFormatLists(*device);
  if (p_.closeCrosshairs) p_.closeCrosshairs();
  if (p_.formatChanged) p_.formatChanged();
}

void DevicePropertiesController::OnFrameSizeSelected() {
  VideoSourceInfo* device = Device();
  if (device == nullptr) return;
  const auto rows = p_.view.SelectedRows(kFrameSizeList);
  if (rows.empty() || rows.front() < 0 || rows.front() >= static_cast<int>(sizeRows_.size())) return;
  const int index = sizeRows_[static_cast<std::size_t>(rows.front())];
  if (index == FormatIndex(*device)) return;
  FormatIndex(*device) = index;
  if (p_.closeCrosshairs) p_.closeCrosshairs();
  if (p_.formatChanged) p_.formatChanged();
}

// The two boxes ask for one action each: ticking one clears the other, and Save acts on the ticked one.
void DevicePropertiesController::OnBoxClicked(int box) {
  const int other = box == kSaveConfigurationBox ? kRemoveConfigurationsBox : kSaveConfigurationBox;
  if (p_.view.IsChecked(box)) p_.view.Check(other, false);
  p_.view.Enable(kDevicePropertiesSaveButton,
                 p_.view.IsChecked(kSaveConfigurationBox) || p_.view.IsChecked(kRemoveConfigurationsBox));
}

void DevicePropertiesController::OnSave() {
  VideoSourceInfo* device = Device();
  if (device == nullptr) return;
  if (p_.view.IsChecked(kSaveConfigurationBox)) {
    SaveConfiguration(*device);
    p_.view.Check(kSaveConfigurationBox, false);
    p_.view.Enable(kRemoveConfigurationsBox, true);
  } else if (p_.view.IsChecked(kRemoveConfigurationsBox)) {
    if (p_.toggleRemovalWindow) p_.toggleRemovalWindow();
    p_.view.Check(kRemoveConfigurationsBox, false);
  }
  p_.view.Enable(kDevicePropertiesSaveButton, false);
}

void DevicePropertiesController::SaveConfiguration(VideoSourceInfo& device) {
  const VideoFormat* format = CurrentFormatOf(device);
  VideoConfiguration c;
  c.deviceName = device.friendlyName;
  c.frameRate = device.category == kCategoryDigital ? (format != nullptr ? format->rateText : L"")
                : device.category == kCategoryPal   ? L"25"
                                                    : L"30";
  c.frameSize = format != nullptr ? format->sizeText : L"";
  std::wstring* values[kPropertySlots] = {&c.brightness, &c.contrast, &c.hue, &c.saturation, &c.sharpness, &c.gain};
  for (std::size_t slot = 0; slot < kPropertySlots; ++slot) {
    *values[slot] = std::to_wstring(device.properties[slot].current);
  }
  c.standard = device.category == kCategoryDigital ? L"DIGITAL" : device.category == kCategoryPal ? L"PAL" : L"NTSC";
  SetConfiguration(p_.nodes, c);
  device.hasConfiguration = true;
  CaptureOptions::ReportSave(p_.save ? p_.save() : false, kConfigurationSavedMessage);
}

void DevicePropertiesController::OnConfigurationsChanged() {
  VideoSourceInfo* device = Device();
  if (device == nullptr) return;
  const auto& saved = p_.nodes.configurations;
  device->hasConfiguration = std::any_of(
      saved.begin(), saved.end(), [&](const VideoConfiguration& c) { return c.deviceName == device->friendlyName; });
  if (IsOpen()) SetConfigurationBoxes(*device);
}

// The standard and the format as the window found them; true when either had changed.
bool DevicePropertiesController::RestoreFormat(VideoSourceInfo& device) {
  bool changed = false;
  if (IsAnalog(device) && device.category != found_.category &&
      (found_.category == kCategoryNtsc || found_.category == kCategoryPal)) {
    if (p_.stopCamera) p_.stopCamera();
    SwitchDeviceStandard(p_.devices, device, found_.category);
    changed = true;
  }
  changed = changed || device.analogFormatIndex != found_.analogFormatIndex ||
            device.digitalRateIndex != found_.digitalRateIndex ||
            device.digitalFormatIndex != found_.digitalFormatIndex;
  device.analogFormatIndex = found_.analogFormatIndex;
  device.digitalRateIndex = found_.digitalRateIndex;
  device.digitalFormatIndex = found_.digitalFormatIndex;
  return changed;
}

void DevicePropertiesController::Cancel() {
  VideoSourceInfo* device = Device();
  if (device != nullptr && IsOpen()) {
    const bool formatChanged = RestoreFormat(*device);
    for (std::size_t slot = 0; slot < kPropertySlots; ++slot) {
      if (device->properties[slot].supported == 0) continue;
      p_.devices.SetPropertyValue(kPropertyIds[slot], found_.values[slot]);
    }
    PostStampedMessage(kPropertiesRestoredMessage);
    if (formatChanged && p_.formatChanged) {
      p_.formatChanged();
    } else {
      if (p_.stopCamera) p_.stopCamera();
      if (p_.startCamera) p_.startCamera();
    }
  }
  Close();
}

}  // namespace zuna
