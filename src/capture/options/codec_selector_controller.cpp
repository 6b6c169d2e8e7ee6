#include "capture/options/codec_selector_controller.h"

#include "common/log/user_messages_log.h"

namespace zuna {
namespace {

// Recordings use the first Lagarith entry whichever of them is chosen; the options file knows only
// "use the codec" or not.
int UseCodec(int row) {
  return row > 0 ? 1 : 0;
}

}  // namespace

void CodecSelectorController::Fill() {
  filling_ = true;
  const VideoSourceInfo* device = c_.currentDevice ? c_.currentDevice() : nullptr;
  p_.view.SetText(kCodecDeviceText, L"\"" + (device != nullptr ? device->friendlyName : std::wstring()) + L"\"");
  p_.view.ClearRows(kCodecList);
  const auto names = c_.codecNames ? c_.codecNames() : std::vector<std::wstring>();
  for (const auto& name : names) p_.view.AddRow(kCodecList, {name});
  if (device != nullptr && device->useCodec < static_cast<int>(names.size())) {
    p_.view.SelectRow(kCodecList, device->useCodec);
  }
  p_.view.Check(kSaveSelectionBox, false);
  p_.view.Enable(kSaveSelectionBox, false);
  p_.view.Enable(kCodecOkButton, false);
  filling_ = false;
}

std::optional<int> CodecSelectorController::SavedChoice(const VideoSourceInfo& device) const {
  for (const auto& choice : c_.nodes.codecChoices) {
    if (choice.deviceKeyName == device.deviceKeyName) return choice.useCodec;
  }
  return std::nullopt;
}

std::optional<int> CodecSelectorController::ValidSelection() {
  const auto rows = p_.view.SelectedRows(kCodecList);
  const auto count = c_.codecNames ? c_.codecNames().size() : 0;
  VideoSourceInfo* device = c_.currentDevice ? c_.currentDevice() : nullptr;
  if (device == nullptr || rows.empty() || rows.front() < 0 || static_cast<std::size_t>(rows.front()) >= count) {
    PostStampedMessage(kInvalidCodecMessage);
    Close();
    return std::nullopt;
  }
  return rows.front();
}

void CodecSelectorController::OnSelectionChanged() {
  if (filling_ || p_.view.SelectedRows(kCodecList).empty()) return;  // the old row losing its selection
  const auto index = ValidSelection();
  if (!index) return;
  VideoSourceInfo& device = *c_.currentDevice();
  device.codecChosen = true;
  device.useCodec = UseCodec(*index);
  const bool differs = SavedChoice(device) != std::optional<int>(device.useCodec);
  if (!differs) p_.view.Check(kSaveSelectionBox, false);
  p_.view.Enable(kSaveSelectionBox, differs);
  p_.view.Enable(kCodecOkButton, p_.view.IsChecked(kSaveSelectionBox));
}

void CodecSelectorController::OnSaveBoxClicked() {
  p_.view.Enable(kCodecOkButton, p_.view.IsChecked(kSaveSelectionBox));
}

// One choice per device: saving again replaces the earlier one.
void CodecSelectorController::OnOk() {
  const auto index = ValidSelection();
  if (!index) return;
  if (p_.view.IsChecked(kSaveSelectionBox)) {
    VideoSourceInfo& device = *c_.currentDevice();
    device.useCodec = UseCodec(*index);
    SetCodecChoice(c_.nodes, device.deviceKeyName, device.useCodec);
    device.codecNodeRead = true;
    SaveAndReport(kCodecSavedMessage);
  }
  Close();
}

}  // namespace zuna
