#include "capture/main/capture_program.h"

#include "capture/devices/device_startup.h"
#include "capture/main/capture_startup.h"
#include "common/log/user_messages_log.h"
#include "common/options/common_option_keys.h"
#include "common/text/path_text.h"

namespace zuna {

CaptureProgram::CaptureProgram(CaptureProgramParts parts, CaptureMainView& view, CaptureWindows& windows)
    : p_(std::move(parts)),
      view_(view),
      windows_(windows),
      player_(p_.player),
      options_(p_.common),
      devices_(p_.deviceCatalog, p_.common.State()),
      codecs_(p_.codecCatalog) {}

bool CaptureProgram::Start() {
  options_.RegisterCaptureOptions();
  TakeIdentifiers();
  codecs_.FindCodecs();
  ListDevicesAtStartup(devices_);
  if (!CreateWindows()) return false;
  ReadOptions();
  ReportStartup();
  windows_.CreateStandByNotice();
  ChooseDevice();
  // Early: the menu's greying needs to know whether the folders exist.
  PrepareFolders();
  CreateRecordingController();
  RebuildMenu();
  SizeVideo();
  const bool hibernation = p_.hibernationSupported();
  if (recording_) recording_->SetHibernationSupported(hibernation);
  ShowWindows();
  options_.ApplyCaptureOptions();
  StartVideo();
  options_.FillDefaultFolders(programFolder_);
  if (p_.common.Options().Boolean(L"AutostartGPS")) OnCommand(ids_.gpsReceiver);
  InstallProgramCallbacks();
  FinishStartup();
  return true;
}

// Menu commands first, then the private messages of the GPS refresh and the event tick.
void CaptureProgram::TakeIdentifiers() {
  ZunaCommon& common = p_.common;
  ids_ = TakeCaptureMenuIds([&common] { return common.NextIdentifier(); });
  gpsRefreshMessage_ = common.NextIdentifier();
  eventTickMessage_ = common.NextIdentifier();
  recordingWatchMessage_ = common.NextIdentifier();
}

bool CaptureProgram::Fatal() {
  p_.common.ReportFatalStartupError();
  return false;
}

bool CaptureProgram::CreateWindows() {
  if (!view_.CreateMainWindow()) return Fatal();
  windows_.CreateDisplayTools();
  if (!windows_.CreateCaptureModeWindows()) {
    PostStampedMessage(L"FATAL: cannot create Capture Mode windows");
    Fatal();
    p_.common.Log().FlushPending();
    return false;
  }
  if (!windows_.CreateRecordControls()) return Fatal();
  return true;
}

void CaptureProgram::ReadOptions() {
  windows_.RegisterWindowPositions();
  optionsFileRead_ = options_.ReadCaptureOptions();
  windows_.SpaceRecordButtons(p_.common.Options().Boolean(L"RecordButtonsSpace"));
  if (!devices_.Devices().empty()) devices_.SetCurrentDeviceIndex(0);
  MatchDevicesWithSavedOptions(devices_.Devices(), options_.Nodes());
  // The saved formats go in now, so that the video size below is that of the format in use.
  ApplySavedDeviceFormats(devices_.Devices(), options_.Nodes().configurations);
}

void CaptureProgram::ReportStartup() {
  p_.common.ReportTimeZone();
  if (player_ != nullptr) player_->ApplyPictureRendererChoice(p_.common.Options().Boolean(kUseWindowRendererKey));
  PostStartupFindings(optionsFileRead_, codecs_.Entries().size(), p_.common.Folders().processDirectory);
  PostAttachedDevices(DescribeStartupDevices(devices_.Devices()), devices_.AttachedCount());
}

void CaptureProgram::ChooseDevice() {
  ChooseStartupCurrentDevice(devices_, p_.common.Options().Text(L"DefaultVideoSource"));
  // Before the video size is taken and the camera starts: the saved standard and picture properties.
  ApplySavedDeviceConfiguration(devices_, options_.Nodes().configurations);
}

// The events folder exists from here on: the schedule and the scheduling windows work on it.
void CaptureProgram::PrepareFolders() {
  foldersFailed_ = !p_.createFolders(programFolder_);
  if (foldersFailed_) return;
  const std::wstring eventsFolder = programFolder_ + L"Events\\";
  schedule_ = std::make_unique<EventSchedule>(p_.common.GetClock(), ToFsPath(eventsFolder));
  windows_.StartScheduleWindows(eventsFolder);
}

// The schedule and the recordings need the program's folders and the filter-graph object.
void CaptureProgram::CreateRecordingController() {
  // Without an events folder the schedule stays empty, but recordings still need one to ask.
  if (!schedule_) {
    schedule_ = std::make_unique<EventSchedule>(p_.common.GetClock(), ToFsPath(programFolder_ + L"Events\\"));
  }
  RecordingHost& host = windows_.RecordingWindows();
  if (player_ == nullptr) return;
  recording_ = std::make_unique<RecordingController>(
      RecordingParts{devices_, *player_, codecs_, p_.common.State(), p_.common.Options(), p_.common.GetClock(),
                     *schedule_, host, p_.power, p_.codePage, p_.currentDirectory, p_.videoDisk});
}

// The display starts at the video size of the current format.
void CaptureProgram::SizeVideo() {
  p_.common.State().geometry.SetVideo(StartupVideoSize(devices_));
  SizeVideoWindows();
}

// The display at the video size: the clipping window and the renderer follow.
void CaptureProgram::SizeVideoWindows() {
  p_.common.State().geometry.DrawAtVideoSize();
  view_.SizeVideoSurface();
  if (player_ != nullptr) SizeRendererToVideo(*player_);
}

void CaptureProgram::ShowWindows() {
  view_.FitToDisplay();
  view_.ShowMainWindow();
  if (devices_.CurrentDeviceIndex() < 0) {
    ReportNoDevice(false);
    return;
  }
  windows_.ShowRecordControls(true);
  if (player_ != nullptr) player_->RepaintVideo();
}

// The schedule waits for a running camera.
void CaptureProgram::StartVideo() {
  if (devices_.CurrentDeviceIndex() >= 0 && Succeeded(StartCamera()) && recording_) recording_->LoadEventSchedule();
}

void CaptureProgram::InstallProgramCallbacks() {
  ProgramCallbacks callbacks;
  callbacks.saveOptionsFile = [this] { return options_.SaveOptionsFile(); };
  callbacks.onDisplayToolChanged = [this](int tool, bool shown) { return OnDisplayToolChanged(tool, shown); };
  callbacks.videoSizeChanged = [this] { OnVideoSizeChanged(); };
  p_.common.SetProgramCallbacks(std::move(callbacks));
}

void CaptureProgram::FinishStartup() {
  if (devices_.CurrentDeviceIndex() >= 0) FitOversizedVideo();
  p_.common.Log().FlushPending();
  PostUnstampedMessage(L"Monitor resolution: " + std::to_wstring(p_.common.State().monitorDpi) + L" dpi\r\n");
}

void CaptureProgram::ReportNoDevice(bool severe) {
  PostUserMessage(L"There is no usable video capture device connected to the computer\r\n", severe);
}

void CaptureProgram::RebuildMenu() {
  const CaptureWindowsState windows = windows_.State();
  CaptureMenuState s;
  s.anyDevice = !devices_.Devices().empty();
  s.currentDevice = devices_.CurrentDeviceIndex() >= 0;
  s.recording = IsRecording();
  s.foldersFailed = foldersFailed_;
  s.gpsWindow = windows.gpsWindow;
  s.eventWindows = schedule_ != nullptr;
  s.optionsFileWriter = true;
  for (std::size_t tool = 0; tool < 4; ++tool) {
    s.toolWindowExists[tool] = windows.toolExists[tool];
    s.toolUnavailable[tool] = p_.common.State().featureUnavailable[tool];
    s.toolOpen[tool] = windows.toolOpen[tool];
  }
  s.optionsWindows = s.codecWindow = windows.optionsWindows;
  s.deviceWindows = windows.deviceSelectionWindow;
  s.propertiesWindow = windows.devicePropertiesWindow;
  s.deviceSelectionOpen = windows.deviceSelectionOpen;
  s.devicePropertiesOpen = windows.devicePropertiesOpen;
  s.gpsConnected = windows.gpsConnected;
  s.openWindows = windows.openWindows;
  menu_ = BuildCaptureMenu(ids_, s);
  view_.ApplyMenu(menu_);
}

void CaptureProgram::CheckMenuItem(unsigned id, bool on) {
  menu_.Check(id, on);
  view_.ApplyMenu(menu_);
}

void CaptureProgram::GreyMenusWhileRecording(bool grey) {
  windows_.EnableDeviceWindows(!grey);
  GreyCaptureMenus(menu_, grey || foldersFailed_);
  view_.ApplyMenu(menu_);
}

void CaptureProgram::OnCommand(unsigned id) {
  const unsigned toolIds[] = {ids_.magnify, ids_.brightnessContrast, ids_.pixelSaturation, ids_.crosshairs};
  for (int tool = 0; tool < 4; ++tool) {
    if (id == toolIds[tool]) {
      windows_.ToggleDisplayTool(tool);
      return;
    }
  }
  if (id == ids_.exit) {
    if (RequestExit()) view_.WakeMessageLoop();
  } else if (id == ids_.saveWindowPositions) {
    options_.SaveWindowPositions();
  } else if (id == ids_.gpsReceiver) {
    windows_.ToggleGps();
  } else if (id == ids_.selectVideoDevice) {
    windows_.ToggleDeviceSelection();
  } else if (id == ids_.videoDeviceProperties) {
    // The properties are those of the current device, not of one being chosen.
    windows_.CancelDeviceSelection();
    windows_.ToggleDeviceProperties();
  } else if (id == ids_.captureOverview) {
    windows_.ToggleHelp(HelpPage::kVideoCapture);
  } else if (id == ids_.captureVersionHistory) {
    windows_.ToggleHelp(HelpPage::kCaptureVersionHistory);
  } else {
    windows_.ToggleMenuWindow(id);
  }
}

bool CaptureProgram::RequestExit() {
  if (IsRecording() && !view_.ConfirmExitWhileRecording()) return false;
  p_.common.State().exit.Request();
  // The graph is stopped, which completes a recording's file and log, but not torn down: the
  // process ends with it, and breaking the renderer's connection is what Wine's EVR cannot survive.
  if (recording_) recording_->StopForExit();
  return true;
}

Status CaptureProgram::StartCamera() {
  if (!recording_) return kFail;
  return recording_->StartCamera();
}

Status CaptureProgram::StopCamera() {
  if (!recording_) return kOk;
  return recording_->StopCamera();
}

// A restart during a recording would end its file and start it again under the same name: a
// display tool shown or hidden meanwhile, or a new display size, waits for the preview that follows
// the recording, which is built from the tools and size in effect then.
Status CaptureProgram::RestartCamera() {
  if (IsRecording()) return kOk;
  const Status stopped = StopCamera();
  if (Failed(stopped) || devices_.CurrentDeviceIndex() < 0) return stopped;
  return StartCamera();
}

// The tool's window has switched it: the shown tools' filters go in and the hidden ones come out
// with the graph built again.
Status CaptureProgram::OnDisplayToolChanged(int tool, bool shown) {
  if (tool < 0 || tool > 3) return kInvalidArg;
  const unsigned toolIds[] = {ids_.magnify, ids_.brightnessContrast, ids_.pixelSaturation, ids_.crosshairs};
  CheckMenuItem(toolIds[tool], shown);
  return RestartCamera();
}

void CaptureProgram::RebuildAfterDeviceChange() {
  RebuildMenu();
  if (devices_.CurrentDeviceIndex() < 0) {
    windows_.ShowRecordControls(false);
    ReportNoDevice(true);
    return;
  }
  if (const VideoFormat* format = devices_.CurrentFormat()) {
    p_.common.State().geometry.SetVideo({format->width, format->height});
  }
  windows_.SetRecordButtons(true, false);
  windows_.ShowRecordControls(true);
  SizeVideoWindows();
  view_.FitToDisplay();
  FitOversizedVideo();
}

void CaptureProgram::RebuildEventSchedule() {
  // After an event was scheduled, edited or deleted. A recording reloads the schedule when it ends.
  if (recording_) recording_->LoadEventSchedule();
}

void CaptureProgram::CancelPendingEvent() {
  if (recording_) recording_->CancelPendingEvent();
}

void CaptureProgram::OnEventTick() {
  if (recording_ && !p_.common.State().exit.Requested()) recording_->OnEventTick();
}

void CaptureProgram::OnRecordingWatch() {
  if (recording_ && !p_.common.State().exit.Requested()) recording_->OnRecordingWatch();
}

}  // namespace zuna
