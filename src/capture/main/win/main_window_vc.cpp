#include "capture/main/win/main_window_vc.h"

#include <commctrl.h>

#include "capture/devices/camera_control.h"
#include "capture/devices/device_startup.h"
#include "capture/options/capture_option_keys.h"
#include "common/foundation/win/program_main_window.h"
#include "common/text/path_text.h"
#include "common/windows/win/menu_bar.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"
#include "video/player/crosshair_intensity_format.h"

namespace zuna {
namespace {

constexpr wchar_t kMainClass[] = L"ZUNA Capture Window Class";
constexpr wchar_t kClippingClass[] = L"Clipping Window Class";
constexpr wchar_t kIdleTitle[] = L"ZUNA Video Capture Version 2.4d";

}  // namespace

MainWindowVC::MainWindowVC(CommonWindows& common, HINSTANCE instance, VideoPlayer* player)
    : common_(common),
      instance_(instance),
      options_(common.Common()),
      devices_(deviceCatalog_, common.State()),
      codecs_(codecCatalog_),
      player_(player),
      recordControls_(common, instance) {
  ZunaCommon& zc = common_.Common();
  CommonState& state = zc.State();
  icons_ = LoadCaptureIcons(common_);  // 1
  fonts_ = CreateCaptureFonts();       // 2
  CreateCaptureHelpWindows(common_);   // 3
  options_.RegisterCaptureOptions();   // 4
  ids_ = TakeCaptureMenuIds([&zc] { return zc.NextIdentifier(); });
  gpsRefreshMessage_ = zc.NextIdentifier();
  eventTickMessage_ = zc.NextIdentifier();
  codecs_.FindCodecs();  // 6
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  ListDevicesAtStartup(devices_);               // 9
  if (!CreateMainAndClippingWindows()) return;  // 10
  CreateDisplayTools();
  if (!CreateCaptureModeWindows()) {  // 11
    PostUserMessage(L"FATAL: cannot create Capture Mode windows", true);
    state.fatalStartupError = true;
    zc.Log().FlushPending();
    return;
  }
  RecordControlsWindow::Callbacks buttons;
  buttons.start = [this] {
    if (recording_) recording_->OnStartButton();
  };
  buttons.stop = [this] {
    if (recording_) recording_->OnStopButton();
  };
  if (!recordControls_.Create(icons_, std::move(buttons))) {  // 12
    state.fatalStartupError = true;
    return;
  }
  RegisterWindowPositions();                                           // 13
  optionsFileRead_ = options_.ReadCaptureOptions();                    // 14
  if (!devices_.Devices().empty()) devices_.SetCurrentDeviceIndex(0);  // 15
  MatchDevicesWithSavedOptions(devices_.Devices(), options_.Nodes());  // 16
  // The saved formats go in now, so that the video size below is that of the format in use.
  ApplySavedDeviceFormats(devices_.Devices(), options_.Nodes().configurations);
  zc.ReportTimeZone();                                                                             // 17
  PostStartupFindings(optionsFileRead_, codecs_.Entries().size(), zc.Folders().processDirectory);  // 18
  PostAttachedDevices(DescribeStartupDevices(devices_.Devices()), devices_.AttachedCount());       // 19
  common_.ApplyIcons(mainWindow_);                                                                 // 20
  CreateStandByNotice();                                                                           // 21
  ChooseStartupCurrentDevice(devices_, zc.Options().Text(L"DefaultVideoSource"));                  // 22
  // Before the video size is taken and the camera starts: the saved standard and picture properties.
  ApplySavedDeviceConfiguration(devices_, options_.Nodes().configurations);
  // 30, early: the menu's greying needs to know whether the folders exist.
  foldersFailed_ =
      !CreateFoldersBesideExecutable({L"Events", L"VideoFiles", L"MessageFilesVC", L"OptionsFiles"}, programFolder_);
  if (!foldersFailed_) StartScheduleWindows();
  CreateRecordingController();
  RebuildMenu();                         // 23
  SetStartupVideoSize(devices_, state);  // 24
  SizeVideoWindows();                    // 25
  power_ = CheckPowerCapabilities();     // 26
  if (recording_) recording_->SetHibernationSupported(power_.hibernation);
  SizeMainWindowToDisplay(common_.Common(), mainWindow_, clippingWindow_);  // 27
  common_.PlaceMainWindow(mainWindow_);
  common_.PlaceLogWindow(mainWindow_);  // 28
  ShowWindow(mainWindow_, SW_SHOW);     // 29
  UpdateWindow(mainWindow_);
  if (devices_.CurrentDeviceIndex() < 0) {
    PostUserMessage(L"There is no usable video capture device connected to the computer\r\n", false);
  } else {
    recordControls_.Show();
    if (player_ != nullptr) player_->RepaintVideo();
  }
  options_.ApplyCaptureOptions();  // 31
  // 32: the schedule waits for a running camera.
  if (devices_.CurrentDeviceIndex() >= 0 && Succeeded(StartCurrentCamera()) && recording_) {
    recording_->LoadEventSchedule();
  }
  options_.FillDefaultFolders(programFolder_);                             // 33
  if (zc.Options().Boolean(L"AutostartGPS")) OnCommand(ids_.gpsReceiver);  // 34
  InstallProgramCallbacks();                                               // 35
  if (devices_.CurrentDeviceIndex() >= 0) FitOversizedVideo();
  zc.Log().FlushPending();  // 36
  PostUserMessage(L"Monitor resolution: " + std::to_wstring(state.monitorDpi) + L" dpi\r\n", false);
}

void MainWindowVC::RegisterWindowPositions() {
  const auto windowOf = [this](CaptureWindow window) -> WindowSlot {
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
  };
  options_.RegisterCaptureWindowPositions(windowOf,
                                          [this](int id) -> const void* { return common_.Help().Window(id); });
}

bool MainWindowVC::CreateMainAndClippingWindows() {
  CommonState& state = common_.State();
  RegisterWindowClass(instance_, kMainClass, MainProc, CS_HREDRAW | CS_VREDRAW, common_.Background());
  mainWindow_ = CreateWindowExW(0, kMainClass, kIdleTitle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 400, 300,
                                nullptr, nullptr, instance_, this);
  if (mainWindow_ == nullptr) {
    state.fatalStartupError = true;
    PostUserMessage(L"FATAL: cannot create main window", true);
    return false;
  }
  RegisterWindowClass(instance_, kClippingClass, ClippingProc, 0, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  clippingWindow_ = CreateWindowExW(0, kClippingClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, mainWindow_, nullptr,
                                    instance_, this);
  if (clippingWindow_ == nullptr) {
    state.fatalStartupError = true;
    PostUserMessage(L"FATAL: cannot create clipping window", true);
    return false;
  }
  // The renderer draws into the clipping window; a failure is reported and the program goes on.
  if (player_ != nullptr) player_->SetClippingWindow(reinterpret_cast<std::uintptr_t>(clippingWindow_));
  return true;
}

void MainWindowVC::SizeVideoWindows() {
  CommonState& state = common_.State();
  state.displayWidth = state.videoWidth;
  state.displayHeight = state.videoHeight;
  MoveWindow(clippingWindow_, 0, 0, state.displayWidth, state.displayHeight, TRUE);
  if (player_ != nullptr) SizeRendererToVideo(*player_, state);
}

Status MainWindowVC::StartCurrentCamera() {
  if (!recording_) return kFail;
  return recording_->StartCamera();
}

Status MainWindowVC::StopCurrentCamera() {
  if (!recording_) return kOk;
  return recording_->StopCamera();
}

// At exit the graph is stopped, which completes a recording's file and log, but not torn down: the
// process ends with it, and breaking the renderer's connection is what Wine's EVR cannot survive.
void MainWindowVC::StopGraphForExit() {
  if (recording_) recording_->StopForExit();
}

// A restart during a recording would end its file and start it again under the same name: a
// display tool shown or hidden meanwhile, or a new display size, waits for the preview that follows
// the recording, which is built from the tools and size in effect then.
Status MainWindowVC::RestartCamera() {
  if (common_.State().recording) return kOk;
  const Status stopped = StopCurrentCamera();
  if (Failed(stopped) || devices_.CurrentDeviceIndex() < 0) return stopped;
  return StartCurrentCamera();
}

// The schedule and the recordings need the program's folders and the filter-graph object.
void MainWindowVC::CreateRecordingController() {
  ZunaCommon& zc = common_.Common();
  // Without an events folder the schedule stays empty, but recordings still need one to ask.
  if (!schedule_) schedule_ = std::make_unique<EventSchedule>(zc.GetClock(), ToFsPath(programFolder_ + L"Events\\"));
  RecordingWindows::Parts parts{
      common_,     mainWindow_,   eventTickMessage_, recordControls_,
      *countdown_, *powerNotice_, gps_.get(),        [this](bool grey) { GreyMenusWhileRecording(grey); }};
  recordingWindows_ = std::make_unique<RecordingWindows>(std::move(parts));
  if (player_ == nullptr) return;
  recording_ = std::make_unique<RecordingController>(
      RecordingParts{devices_, *player_, codecs_, zc.State(), zc.Options(), zc.GetClock(), *schedule_,
                     *recordingWindows_, powerControl_, ProcessCodePage(), std::filesystem::path(CurrentDirectory())});
}

void MainWindowVC::RebuildAfterDeviceChange() {
  RebuildMenu();
  if (devices_.CurrentDeviceIndex() < 0) {
    recordControls_.Hide();
    PostUserMessage(L"There is no usable video capture device connected to the computer\r\n", true);
    return;
  }
  CommonState& state = common_.State();
  if (const VideoFormat* format = devices_.CurrentFormat()) {
    state.videoWidth = format->width;
    state.videoHeight = format->height;
  }
  recordControls_.SetButtons(true, false);
  recordControls_.Show();
  SizeVideoWindows();
  SizeMainWindowToDisplay(common_.Common(), mainWindow_, clippingWindow_);
  FitOversizedVideo();
}

void MainWindowVC::CreateStandByNotice() {
  RegisterWindowClass(instance_, L"AppUnresponsive", DefWindowProcW, 0, common_.Background());
  standByNotice_ = CreateWindowExW(0, L"AppUnresponsive", L"Stand by...", WS_POPUP | WS_CAPTION, 300, 500, 350, 150,
                                   nullptr, nullptr, instance_, nullptr);
  if (standByNotice_ == nullptr) return;
  HWND text = CreateWindowExW(0, L"STATIC",
                              L"ZUNA Video Capture is unresponsive\r\nduring this operation.\r\n\r\n"
                              L"Stand by for completion...",
                              WS_CHILD | WS_VISIBLE, 20, 20, 300, 100, standByNotice_, nullptr, instance_, nullptr);
  if (text != nullptr && fonts_.consolas16 != nullptr) {
    SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.consolas16), TRUE);
  }
}

bool MainWindowVC::CreateCaptureModeWindows() {
  GpsWindow::Callbacks callbacks;
  callbacks.showStandBy = [this](bool shown) {
    if (standByNotice_ == nullptr) return;
    ShowWindow(standByNotice_, shown ? SW_SHOW : SW_HIDE);
    if (shown) UpdateWindow(standByNotice_);
  };
  callbacks.checkMenuItem = [this](bool on) {
    menu_.Check(ids_.gpsReceiver, on);
    ApplyMenuModel(mainWindow_, menu_);
  };
  callbacks.storeFix = [this](const GpsFixTexts& texts) {
    if (!texts.latitude.empty()) info_.gpsLatitude = texts.latitude;
    if (!texts.longitude.empty()) info_.gpsLongitude = texts.longitude;
    if (!texts.altitude.empty()) info_.gpsAltitude = texts.altitude;
    if (!texts.satellites.empty()) info_.gpsSatellites = texts.satellites;
  };
  gps_ = std::make_unique<GpsWindow>(common_, instance_, mainWindow_, gpsRefreshMessage_, std::move(callbacks));
  countdown_ = std::make_unique<CountdownWindow>(common_, instance_);
  powerNotice_ = std::make_unique<PowerNoticeWindow>(common_, instance_, powerControl_);
  if (!CreateScheduleWindows() || !CreateOptionsWindows() || !CreateDeviceSelectionWindow() ||
      !CreateDevicePropertiesWindow()) {
    return false;
  }
  return gps_->Create() && countdown_->Create(fonts_.lucida48) &&
         powerNotice_->Create(fonts_.consolas28, fonts_.tahoma18);
}

// Only the pop-ups' state changes, so that check marks set meanwhile (display tools, GPS) stay.
void MainWindowVC::GreyMenusWhileRecording(bool grey) {
  // The device windows change the camera itself: left open, they take no input while recording.
  for (HWND device : {deviceSelection_ ? deviceSelection_->Window() : nullptr,
                      deviceProperties_ ? deviceProperties_->Window() : nullptr}) {
    if (device != nullptr) EnableWindow(device, grey ? FALSE : TRUE);
  }
  grey = grey || foldersFailed_;
  for (std::size_t i = 1; i < menu_.Bar().size(); ++i) menu_.Bar()[i].enabled = !grey;
  ApplyMenuModel(mainWindow_, menu_);
}

bool MainWindowVC::CreateScheduleWindows() {
  SchedulingHost host;
  host.settings = [this] {
    OptionTables& options = common_.Common().Options();
    const BooleanOption* atEnd = options.FindBoolean(L"DateTimeAtEnd");
    return ScheduleSettings{atEnd != nullptr && atEnd->saveValue, options.Boolean(L"DateTimeAtEnd"),
                            options.Text(kEventFileGlobalPrefixKey), options_.Settings().defaultDuration};
  };
  host.rebuildSchedule = [this] { RebuildEventSchedule(); };
  host.eventPending = [this] { return schedule_ && schedule_->EventPendingFlag(); };
  host.cancelPendingEvent = [this] { CancelPendingEvent(); };
  scheduleWindows_ = std::make_unique<ScheduleWindows>(
      ScheduleWindows::Parts{common_, fonts_.tahoma16, fonts_.consolas16, icons_.folder, std::move(host),
                             [this](unsigned id, bool on) {
                               menu_.Check(id, on);
                               ApplyMenuModel(mainWindow_, menu_);
                             },
                             ids_.schedule, ids_.editAndDelete, ids_.importXmlEvents});
  return scheduleWindows_->Create();
}

bool MainWindowVC::CreateOptionsWindows() {
  optionsWindows_ = std::make_unique<OptionsWindows>(OptionsWindows::Parts{
      common_, options_, fonts_.tahoma16, icons_.folder,
      [this](unsigned id, bool on) {
        menu_.Check(id, on);
        ApplyMenuModel(mainWindow_, menu_);
      },
      [this](std::wstring_view caption) {
        if (countdown_) countdown_->SetLabel(caption);
      },
      nullptr, [this] { return programFolder_; },
      [this]() -> VideoSourceInfo* {
        const int index = devices_.CurrentDeviceIndex();
        if (index < 0 || index >= static_cast<int>(devices_.Devices().size())) return nullptr;
        return &devices_.Devices()[static_cast<std::size_t>(index)];
      },
      [this] {
        std::vector<std::wstring> names;
        for (const CodecEntry& entry : codecs_.Entries()) names.push_back(entry.name);
        return names;
      },
      ids_.codec, ids_.fileOptions, ids_.durationDefault, ids_.eventPending, ids_.performance, ids_.miscellaneous});
  return optionsWindows_->Create();
}

bool MainWindowVC::CreateDeviceSelectionWindow() {
  deviceSelection_ = std::make_unique<DeviceSelectionWindow>();
  const bool created = deviceSelection_->Create(common_, fonts_.tahoma16, [this](WindowView& view) {
    return DeviceSelectionParts{view,
                                devices_,
                                common_.Common().Options(),
                                options_.Nodes(),
                                [this] { return options_.SaveCaptureOptions(); },
                                [this] { return StopCurrentCamera(); },
                                [this] { return StartCurrentCamera(); },
                                [this] { RebuildAfterDeviceChange(); }};
  });
  if (created) deviceSelection_->Controller().SetMenuCheck([this](bool) { RebuildMenu(); });
  return created;
}

bool MainWindowVC::CreateDevicePropertiesWindow() {
  deviceProperties_ = std::make_unique<DevicePropertiesWindow>();
  const bool created = deviceProperties_->Create(
      common_, fonts_.tahoma16,
      DevicePropertiesWindow::Parts{devices_, options_.Nodes(), [this] { return options_.SaveCaptureOptions(); },
                                    [this] { return StopCurrentCamera(); }, [this] { return StartCurrentCamera(); },
                                    [this] { OnVideoSizeChanged(); },
                                    [this] {
                                      if (tools_ && tools_->IsOpen(kToolCrosshairs)) tools_->Close(kToolCrosshairs);
                                    }});
  if (created) deviceProperties_->Controller().SetMenuCheck([this](bool) { RebuildMenu(); });
  return created;
}

// The events folder exists from here on: the schedule and the scheduling windows work on it.
void MainWindowVC::StartScheduleWindows() {
  const std::wstring eventsFolder = programFolder_ + L"Events\\";
  schedule_ = std::make_unique<EventSchedule>(common_.Common().GetClock(), ToFsPath(eventsFolder));
  scheduleWindows_->Start(eventsFolder);
}

// After an event was scheduled, edited or deleted. A recording reloads the schedule when it ends.
void MainWindowVC::RebuildEventSchedule() {
  if (recording_) recording_->LoadEventSchedule();
}

void MainWindowVC::CancelPendingEvent() {
  if (recording_) recording_->CancelPendingEvent();
}

void MainWindowVC::RebuildMenu() {
  CaptureMenuState s;
  s.anyDevice = !devices_.Devices().empty();
  s.currentDevice = devices_.CurrentDeviceIndex() >= 0;
  s.recording = common_.State().recording;
  s.foldersFailed = foldersFailed_;
  s.gpsWindow = gps_ != nullptr;
  s.eventWindows = schedule_ != nullptr;
  s.optionsFileWriter = true;
  for (int tool = 0; tool < 4; ++tool) {
    s.toolWindowExists[tool] = tools_ != nullptr && tools_->Exists(tool);
    s.toolUnavailable[tool] = common_.State().featureUnavailable[static_cast<std::size_t>(tool)];
  }
  s.optionsWindows = s.codecWindow = optionsWindows_ != nullptr;
  s.deviceWindows = deviceSelection_ != nullptr;
  s.propertiesWindow = deviceProperties_ != nullptr;
  menu_ = BuildCaptureMenu(ids_, s);
  if (deviceSelection_ && deviceSelection_->Controller().IsOpen()) {
    // The magnifier and the properties window act on the device being chosen.
    menu_.Check(ids_.selectVideoDevice, true);
    menu_.Enable(ids_.magnify, false);
    menu_.Enable(ids_.videoDeviceProperties, false);
  }
  if (deviceProperties_ && deviceProperties_->Controller().IsOpen()) {
    // The magnifier and the device selection would change the device whose properties are shown.
    menu_.Check(ids_.videoDeviceProperties, true);
    menu_.Enable(ids_.magnify, false);
    menu_.Enable(ids_.selectVideoDevice, false);
  }
  menu_.Check(ids_.gpsReceiver, gps_ != nullptr && gps_->Port().Connected());
  const unsigned toolIds[] = {ids_.magnify, ids_.brightnessContrast, ids_.pixelSaturation, ids_.crosshairs};
  for (int tool = 0; tool < 4; ++tool) menu_.Check(toolIds[tool], tools_ != nullptr && tools_->IsOpen(tool));
  if (scheduleWindows_) {
    for (unsigned id : {ids_.schedule, ids_.editAndDelete, ids_.importXmlEvents}) {
      menu_.Check(id, scheduleWindows_->IsOpen(id));
    }
  }
  if (optionsWindows_) {
    for (unsigned id :
         {ids_.fileOptions, ids_.durationDefault, ids_.eventPending, ids_.performance, ids_.miscellaneous}) {
      menu_.Check(id, optionsWindows_->IsOpen(id));
    }
  }
  ApplyMenuModel(mainWindow_, menu_);
}

void MainWindowVC::InstallProgramCallbacks() {
  ProgramCallbacks callbacks;
  callbacks.saveOptionsFile = [this] { return options_.SaveOptionsFile(); };
  callbacks.onDisplayToolChanged = [this](int tool, bool shown) {
    return ApplyDisplayToolChange(common_.Common(), menu_, mainWindow_,
                                  {ids_.magnify, ids_.brightnessContrast, ids_.pixelSaturation, ids_.crosshairs}, tool,
                                  shown, [this] { return RestartCamera(); });
  };
  callbacks.videoSizeChanged = [this] { OnVideoSizeChanged(); };
  common_.Common().SetProgramCallbacks(std::move(callbacks));
}

void MainWindowVC::CreateDisplayTools() {
  tools_ = std::make_unique<DisplayToolWindows>(common_, mainWindow_, [this](int brightness, int contrast) {
    if (player_ != nullptr) player_->SetBrightnessContrast(brightness, contrast);
  });
  tools_->Create();
  if (player_ != nullptr) {
    player_->SetSubtypeChangedHandler(
        [this](const MediaGuid& subtype) { tools_->SetIntensityFormat(CrosshairIntensityFormat(subtype)); });
  }
}

// The magnifier chose a size: the window, the clipping window and the renderer follow it.
void MainWindowVC::FitToMagnifiedDisplay() {
  if (!common_.State().magnifyChangeInProgress) return;
  SizeMainWindowToDisplay(common_.Common(), mainWindow_, clippingWindow_);
  if (player_ != nullptr) player_->UpdateDisplaySize();
}

bool MainWindowVC::ConfirmExitWhileRecording() {
  if (!common_.State().recording) return true;
  return MessageBoxW(mainWindow_, L"Recording in progress.  Do you really want to exit?", L"Attention",
                     MB_ICONWARNING | MB_YESNO) == IDYES;
}

void MainWindowVC::OnCommand(unsigned id) {
  if (id == ids_.exit) {
    if (!ConfirmExitWhileRecording()) return;
    common_.State().exitRequested = true;
    StopGraphForExit();
    PostMessageW(mainWindow_, WM_NULL, 0, 0);  // wakes the message loop to see the flag
  } else if (id == ids_.saveWindowPositions) {
    options_.SaveWindowPositions();
  } else if (id == ids_.gpsReceiver) {
    if (gps_) gps_->Port().ToggleGpsConnection();
  } else if (id == ids_.magnify || id == ids_.brightnessContrast || id == ids_.pixelSaturation ||
             id == ids_.crosshairs) {
    const int tool = id == ids_.magnify              ? kToolMagnify
                     : id == ids_.brightnessContrast ? kToolBrightnessContrast
                     : id == ids_.pixelSaturation    ? kToolPixelSaturation
                                                     : kToolCrosshairs;
    tools_->Toggle(tool);
  } else if (scheduleWindows_ && scheduleWindows_->OnCommand(id)) {
    // an Events menu window was opened or closed
  } else if (id == ids_.selectVideoDevice && deviceSelection_) {
    deviceSelection_->Controller().Toggle();
  } else if (id == ids_.videoDeviceProperties && deviceProperties_) {
    if (deviceSelection_ && deviceSelection_->Controller().IsOpen()) deviceSelection_->Controller().Cancel();
    deviceProperties_->Controller().Toggle();
  } else if (optionsWindows_ && optionsWindows_->OnCommand(id)) {
    // an Options menu window was opened or closed
  } else if (id == ids_.captureOverview) {
    common_.Help().Toggle(0, mainWindow_);
  } else if (id == ids_.captureVersionHistory) {
    common_.Help().Toggle(16, mainWindow_);
  }
}

LRESULT CALLBACK MainWindowVC::MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<MainWindowVC>(window, message, lParam);
  if (self == nullptr || self->mainWindow_ == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->HandleMain(message, wParam, lParam);
}

LRESULT MainWindowVC::HandleMain(UINT message, WPARAM wParam, LPARAM lParam) {
  CommonState& state = common_.State();
  TrackWindowMove(common_.Common(), mainWindow_, message);
  switch (message) {
    case WM_COMMAND: {
      MenuCommandScope command(common_.State());
      OnCommand(LOWORD(wParam));
      return 0;
    }
    case WM_CLOSE:
      if (!ConfirmExitWhileRecording()) return 0;
      state.exitRequested = true;
      StopGraphForExit();
      DestroyWindow(mainWindow_);
      return 0;
    case WM_DESTROY:
      if (gps_) gps_->StopRefreshTimer();
      if (recordingWindows_) recordingWindows_->DeleteEventTick();
      PostQuitMessage(0);
      return 0;
    default:
      if (message == gpsRefreshMessage_ && gps_) {
        gps_->OnRefreshMessage(lParam);
        return 0;
      }
      if (message == eventTickMessage_) {
        if (recording_ && !state.exitRequested) recording_->OnEventTick();
        return 0;
      }
      break;
  }
  return DefWindowProcW(mainWindow_, message, wParam, lParam);
}

// The live picture is drawn into the clipping window: an uncovered or resized window gets the last
// frame again at once rather than black until the next frame.
LRESULT CALLBACK MainWindowVC::ClippingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<MainWindowVC>(window, message, lParam);
  if (message != WM_PAINT || self == nullptr || self->clippingWindow_ != window) {
    return DefWindowProcW(window, message, wParam, lParam);
  }
  PAINTSTRUCT paint;
  BeginPaint(window, &paint);
  EndPaint(window, &paint);
  if (self->player_ != nullptr && self->common_.State().graphRunning) self->player_->RepaintVideo();
  return 0;
}

}  // namespace zuna
