// What the program asks of its other windows once they exist: their state for the menu, the menu
// commands that open and close them, and their entries in the window positions.
#include "capture/main/win/capture_window_set.h"

namespace zuna {

CaptureWindowsState CaptureWindowSet::State() const {
  CaptureWindowsState s;
  s.gpsWindow = gps_ != nullptr;
  s.optionsWindows = optionsWindows_ != nullptr;
  s.deviceSelectionWindow = deviceSelection_ != nullptr;
  s.devicePropertiesWindow = deviceProperties_ != nullptr;
  for (int tool = 0; tool < 4; ++tool) {
    s.toolExists[tool] = tools_ != nullptr && tools_->Exists(tool);
    s.toolOpen[tool] = tools_ != nullptr && tools_->IsOpen(tool);
  }
  s.gpsConnected = gps_ != nullptr && gps_->Port().Connected();
  s.deviceSelectionOpen = deviceSelection_ && deviceSelection_->Controller().IsOpen();
  s.devicePropertiesOpen = deviceProperties_ && deviceProperties_->Controller().IsOpen();
  const CaptureMenuIds& ids = program_.Ids();
  if (scheduleWindows_) {
    for (unsigned id : {ids.schedule, ids.editAndDelete, ids.importXmlEvents}) {
      if (scheduleWindows_->IsOpen(id)) s.openWindows.push_back(id);
    }
  }
  if (optionsWindows_) {
    for (unsigned id : {ids.fileOptions, ids.durationDefault, ids.eventPending, ids.performance, ids.miscellaneous}) {
      if (optionsWindows_->IsOpen(id)) s.openWindows.push_back(id);
    }
  }
  return s;
}

void CaptureWindowSet::SpaceRecordButtons(bool spaced) {
  recordControls_.SpaceButtons(spaced);
}

void CaptureWindowSet::ShowRecordControls(bool shown) {
  if (shown) {
    recordControls_.Show();
  } else {
    recordControls_.Hide();
  }
}

void CaptureWindowSet::SetRecordButtons(bool startEnabled, bool stopEnabled) {
  recordControls_.SetButtons(startEnabled, stopEnabled);
}

void CaptureWindowSet::EnableDeviceWindows(bool enabled) {
  for (HWND device : {deviceSelection_ ? deviceSelection_->Window() : nullptr,
                      deviceProperties_ ? deviceProperties_->Window() : nullptr}) {
    if (device != nullptr) EnableWindow(device, enabled ? TRUE : FALSE);
  }
}

void CaptureWindowSet::ToggleDisplayTool(int tool) {
  if (tools_) tools_->Toggle(tool);
}

void CaptureWindowSet::CloseDisplayTool(int tool) {
  if (tools_ && tools_->IsOpen(tool)) tools_->Close(tool);
}

bool CaptureWindowSet::Magnify(int choice) {
  if (!tools_ || !tools_->Exists(kToolMagnify)) return false;
  tools_->Magnify(choice);
  return true;
}

void CaptureWindowSet::ToggleGps() {
  if (gps_) gps_->Port().ToggleGpsConnection();
}

bool CaptureWindowSet::ToggleMenuWindow(unsigned id) {
  return (scheduleWindows_ && scheduleWindows_->OnCommand(id)) || (optionsWindows_ && optionsWindows_->OnCommand(id));
}

void CaptureWindowSet::ToggleDeviceSelection() {
  if (deviceSelection_) deviceSelection_->Controller().Toggle();
}

void CaptureWindowSet::CancelDeviceSelection() {
  if (deviceSelection_ && deviceSelection_->Controller().IsOpen()) deviceSelection_->Controller().Cancel();
}

void CaptureWindowSet::ToggleDeviceProperties() {
  if (deviceProperties_) deviceProperties_->Controller().Toggle();
}

void CaptureWindowSet::ToggleHelp(HelpPage page) {
  common_.Help().Toggle(page, mainWindow_);
}

void CaptureWindowSet::RegisterWindowPositions() {
  program_.Options().RegisterCaptureWindowPositions(
      [this](CaptureWindow window) { return SlotOf(window); },
      [this](int id) -> const void* { return common_.Help().Window(id); });
}

WindowSlot CaptureWindowSet::SlotOf(CaptureWindow window) const {
  switch (window) {
    case CaptureWindow::kMain:
      return {mainWindow_, 400, 300};
    case CaptureWindow::kRecordControls:
      return {recordControls_.Window(), 224, 144};
    case CaptureWindow::kGps:
      return {gps_ ? gps_->Window() : nullptr, 290, 250};
    case CaptureWindow::kCountdown:
      return {countdown_ ? countdown_->Window() : nullptr, 365, 257};
    case CaptureWindow::kHibernation:
      return {powerNotice_ ? powerNotice_->Window() : nullptr, 300, 200};
    case CaptureWindow::kScheduleEvent:
      return {scheduleWindows_ ? scheduleWindows_->ScheduleWindow() : nullptr, 400, 500};
    case CaptureWindow::kViewEvents:
      return {scheduleWindows_ ? scheduleWindows_->ListWindow() : nullptr, 900, 520};
    case CaptureWindow::kImportXmlEvents:
      return {scheduleWindows_ ? scheduleWindows_->ImportWindow() : nullptr, 500, 200};
    case CaptureWindow::kMiscellaneousOptions:
      return {optionsWindows_ ? optionsWindows_->MiscellaneousWindow() : nullptr, 400, 300};
    case CaptureWindow::kFileOptions:
      return {optionsWindows_ ? optionsWindows_->FileWindow() : nullptr, 580, 520};
    case CaptureWindow::kEventDuration:
      return {optionsWindows_ ? optionsWindows_->DurationWindow() : nullptr, 360, 170};
    case CaptureWindow::kEventPendingOptions:
      return {optionsWindows_ ? optionsWindows_->EventPendingWindow() : nullptr, 420, 230};
    case CaptureWindow::kDevices:
      return {deviceSelection_ ? deviceSelection_->Window() : nullptr, 410, 420};
    case CaptureWindow::kDeviceFormat:
      return {deviceProperties_ ? deviceProperties_->Window() : nullptr, 440, 500};
    case CaptureWindow::kCodecSelector:
      return {optionsWindows_ ? optionsWindows_->CodecWindow() : nullptr, 400, 330};
    case CaptureWindow::kPerformanceOptions:
      return {optionsWindows_ ? optionsWindows_->PerformanceWindow() : nullptr, 380, 260};
    default:
      return {};  // windows this build does not have keep their entries from the file
  }
}

}  // namespace zuna
