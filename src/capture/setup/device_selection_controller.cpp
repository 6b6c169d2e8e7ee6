#include "capture/setup/device_selection_controller.h"

#include "capture/options/capture_option_keys.h"
#include "capture/options/capture_options.h"
#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

std::wstring Quoted(const std::wstring& name) {
  return L"\"" + name + L"\"";
}

}  // namespace

void DeviceSelectionController::Open() {
  auto& devices = p_.devices.Devices();
  foundCurrent_ = p_.devices.CurrentDeviceIndex();
  found_.clear();
  for (auto& d : devices) {
    d.defaultDevicePending = d.isDefaultDevice;
    found_.push_back({d.ignored, d.isDefaultDevice, d.defaultDevicePending, d.listedAsExcluded});
  }
  const TextOption* source = p_.options.FindText(kDefaultVideoSourceKey);
  foundDefaultToSave_ = source != nullptr ? source->saveValue : std::wstring();
  FillLists();
  ShowOpened();
}

void DeviceSelectionController::FillLists() {
  const auto& devices = p_.devices.Devices();
  const int current = p_.devices.CurrentDeviceIndex();
  p_.view.ClearRows(kDeviceList);
  p_.view.ClearRows(kIgnoredDeviceList);
  listed_.clear();
  ignoredListed_.clear();
  for (int i = 0; i < static_cast<int>(devices.size()); ++i) {
    const auto& d = devices[static_cast<std::size_t>(i)];
    (d.ignored ? ignoredListed_ : listed_).push_back(i);
    p_.view.AddRow(d.ignored ? kIgnoredDeviceList : kDeviceList, {d.friendlyName});
  }
  for (std::size_t row = 0; row < listed_.size(); ++row) {
    if (listed_[row] == current) p_.view.SelectRow(kDeviceList, static_cast<int>(row));
  }
  const bool hasCurrent = current >= 0 && current < static_cast<int>(devices.size());
  p_.view.Check(kDefaultDeviceBox, hasCurrent && devices[static_cast<std::size_t>(current)].defaultDevicePending);
  p_.view.Enable(kDefaultDeviceBox, hasCurrent);
  p_.view.Enable(kIgnoreDeviceButton, !listed_.empty());
  p_.view.Enable(kRestoreDeviceButton, !ignoredListed_.empty());
}

VideoSourceInfo* DeviceSelectionController::Highlighted(int list, const std::vector<int>& rows) {
  const auto selected = p_.view.SelectedRows(list);
  if (selected.empty() || selected.front() < 0 || selected.front() >= static_cast<int>(rows.size())) return nullptr;
  return &p_.devices.Devices()[static_cast<std::size_t>(rows[static_cast<std::size_t>(selected.front())])];
}

// Stops the camera of the old device and starts that of the new one (none for -1).
void DeviceSelectionController::MakeCurrent(int index) {
  if (p_.stopCamera) p_.stopCamera();
  p_.devices.SetCurrentDeviceIndex(index);
  if (index >= 0 && p_.startCamera) p_.startCamera();
  if (p_.deviceChanged) p_.deviceChanged();
}

void DeviceSelectionController::OnDeviceSelected() {
  const auto rows = p_.view.SelectedRows(kDeviceList);
  if (rows.empty() || rows.front() >= static_cast<int>(listed_.size())) return;
  const int index = listed_[static_cast<std::size_t>(rows.front())];
  const VideoSourceInfo& d = p_.devices.Devices()[static_cast<std::size_t>(index)];
  p_.view.Check(kDefaultDeviceBox, d.defaultDevicePending);
  p_.view.Enable(kDefaultDeviceBox, true);
  if (index == p_.devices.CurrentDeviceIndex()) return;
  MakeCurrent(index);
  if (!d.codecChosen && !d.codecNodeRead) {
    PostUnstampedMessage(L"NOTE: selected device " + Quoted(d.friendlyName) +
                         L" has no selected codec; default is NONE\r\n");
  }
}

void DeviceSelectionController::OnDefaultDeviceClicked() {
  VideoSourceInfo* highlighted = Highlighted(kDeviceList, listed_);
  if (highlighted == nullptr) return;
  const bool on = p_.view.IsChecked(kDefaultDeviceBox);
  if (on) {
    for (auto& d : p_.devices.Devices()) d.defaultDevicePending = false;
  }
  highlighted->defaultDevicePending = on;
}

void DeviceSelectionController::OnIgnore() {
  VideoSourceInfo* d = Highlighted(kDeviceList, listed_);
  if (d == nullptr) return;
  d->ignored = true;
  d->isDefaultDevice = d->defaultDevicePending = false;
  if (TextOption* source = p_.options.FindText(kDefaultVideoSourceKey)) source->saveValue.clear();
  PostUnstampedMessage(L"Device " + Quoted(d->friendlyName) + L" is ignored\r\n");
  const auto& devices = p_.devices.Devices();
  const int current = p_.devices.CurrentDeviceIndex();
  if (current >= 0 && devices[static_cast<std::size_t>(current)].ignored) {
    int next = -1;
    for (int i = 0; i < static_cast<int>(devices.size()) && next < 0; ++i) {
      if (!devices[static_cast<std::size_t>(i)].ignored) next = i;
    }
    MakeCurrent(next);
  }
  FillLists();
}

void DeviceSelectionController::OnRestore() {
  VideoSourceInfo* d = Highlighted(kIgnoredDeviceList, ignoredListed_);
  if (d == nullptr) return;
  d->ignored = false;
  PostUnstampedMessage(L"Device " + Quoted(d->friendlyName) + L" is restored\r\n");
  if (p_.devices.CurrentDeviceIndex() < 0) MakeCurrent(static_cast<int>(d - p_.devices.Devices().data()));
  FillLists();
}

void DeviceSelectionController::OnOk() {
  auto& devices = p_.devices.Devices();
  const int current = p_.devices.CurrentDeviceIndex();
  bool changed = false;
  if (current >= 0 && current < static_cast<int>(devices.size())) {
    const VideoSourceInfo& d = devices[static_cast<std::size_t>(current)];
    if (d.isDefaultDevice != d.defaultDevicePending) {
      p_.options.SetText(kDefaultVideoSourceKey, d.isDefaultDevice ? std::wstring() : d.friendlyName);
      changed = true;
    }
  }
  for (auto& d : devices) d.isDefaultDevice = d.defaultDevicePending;
  // An ignored default device clears the saved default, which must reach the file too.
  const TextOption* source = p_.options.FindText(kDefaultVideoSourceKey);
  if (source != nullptr && source->saveValue != foundDefaultToSave_) changed = true;
  changed = UpdateExcludedDevices(devices, p_.nodes) || changed;
  if (changed) CaptureOptions::ReportSave(p_.save ? p_.save() : false, kDeviceSelectionsSavedMessage);
  HideClosed();
}

void DeviceSelectionController::Cancel() {
  auto& devices = p_.devices.Devices();
  for (std::size_t i = 0; i < devices.size() && i < found_.size(); ++i) {
    devices[i].ignored = found_[i].ignored;
    devices[i].isDefaultDevice = found_[i].isDefault;
    devices[i].defaultDevicePending = found_[i].pending;
    devices[i].listedAsExcluded = found_[i].excluded;
  }
  if (TextOption* source = p_.options.FindText(kDefaultVideoSourceKey)) source->saveValue = foundDefaultToSave_;
  if (p_.devices.CurrentDeviceIndex() != foundCurrent_) MakeCurrent(foundCurrent_);
  HideClosed();
}

}  // namespace zuna
