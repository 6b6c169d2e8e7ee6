#include "capture/setup/configuration_removal_controller.h"

#include <string>
#include <vector>

#include "capture/options/capture_options.h"

namespace zuna {

void ConfigurationRemovalController::Open() {
  Fill();
  ShowOpened();
}

void ConfigurationRemovalController::Fill() {
  p_.view.ClearRows(kConfigurationList);
  for (const VideoConfiguration& c : p_.nodes.configurations) p_.view.AddRow(kConfigurationList, {c.deviceName});
  OnSelectionChanged();
}

void ConfigurationRemovalController::OnSelectionChanged() {
  p_.view.Enable(kRemoveConfigurationsButton, !p_.view.SelectedRows(kConfigurationList).empty());
}

void ConfigurationRemovalController::OnRemove() {
  // The names first: removing changes the rows behind the selection.
  std::vector<std::wstring> names;
  for (int row : p_.view.SelectedRows(kConfigurationList)) {
    if (names.size() == kMaxRemovedAtOnce) break;
    if (row >= 0 && row < static_cast<int>(p_.nodes.configurations.size())) {
      names.push_back(p_.nodes.configurations[static_cast<std::size_t>(row)].deviceName);
    }
  }
  if (names.empty()) return;
  for (const std::wstring& name : names) RemoveConfiguration(p_.nodes, name);
  CaptureOptions::ReportSave(p_.save ? p_.save() : false, kConfigurationsRemovedMessage);
  Fill();
  if (p_.removed) p_.removed();
}

}  // namespace zuna
