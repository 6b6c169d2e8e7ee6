#include "capture/main/win/capture_window_set.h"

#include "capture/options/capture_option_keys.h"
#include "common/windows/win/win_util.h"
#include "video/player/crosshair_intensity_format.h"

namespace zuna {

CaptureWindowSet::CaptureWindowSet(CommonWindows& common, HINSTANCE instance, PowerControl& power,
                                   CaptureProgram& program)
    : common_(common), instance_(instance), power_(power), program_(program), recordControls_(common, instance) {}

void CaptureWindowSet::LoadResources() {
  icons_ = LoadCaptureIcons(common_);
  fonts_ = CreateCaptureFonts();
  CreateCaptureHelpWindows(common_);
}

void CaptureWindowSet::CreateDisplayTools() {
  VideoPlayer* player = program_.Player();
  tools_ = std::make_unique<DisplayToolWindows>(common_, mainWindow_, [player](int brightness, int contrast) {
    if (player != nullptr) player->SetBrightnessContrast(brightness, contrast);
  });
  tools_->Create();
  if (player != nullptr) {
    player->SetSubtypeChangedHandler(
        [this](const MediaGuid& subtype) { tools_->SetIntensityFormat(CrosshairIntensityFormat(subtype)); });
  }
}

bool CaptureWindowSet::CreateCaptureModeWindows() {
  GpsWindow::Callbacks callbacks;
  callbacks.showStandBy = [this](bool shown) {
    if (standByNotice_ == nullptr) return;
    ShowWindow(standByNotice_, shown ? SW_SHOW : SW_HIDE);
    if (shown) UpdateWindow(standByNotice_);
  };
  callbacks.checkMenuItem = [this](bool on) { program_.CheckMenuItem(program_.Ids().gpsReceiver, on); };
  gps_ =
      std::make_unique<GpsWindow>(common_, instance_, mainWindow_, program_.GpsRefreshMessage(), std::move(callbacks));
  countdown_ = std::make_unique<CountdownWindow>(common_, instance_);
  powerNotice_ = std::make_unique<PowerNoticeWindow>(common_, instance_, power_);
  if (!CreateScheduleWindows() || !CreateOptionsWindows() || !CreateDeviceSelectionWindow() ||
      !CreateDevicePropertiesWindow()) {
    return false;
  }
  return gps_->Create() && countdown_->Create(fonts_.lucida48) &&
         powerNotice_->Create(fonts_.consolas28, fonts_.tahoma18);
}

bool CaptureWindowSet::CreateRecordControls() {
  RecordControlsWindow::Callbacks buttons;
  buttons.start = [this] {
    if (RecordingController* recording = program_.Recording()) recording->OnStartButton();
  };
  buttons.stop = [this] {
    if (RecordingController* recording = program_.Recording()) recording->OnStopButton();
  };
  return recordControls_.Create(icons_, std::move(buttons));
}

void CaptureWindowSet::CreateStandByNotice() {
  common_.ApplyIcons(mainWindow_);
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

bool CaptureWindowSet::CreateScheduleWindows() {
  SchedulingHost host;
  host.settings = [this] {
    OptionTables& options = common_.Common().Options();
    const BooleanOption* atEnd = options.FindBoolean(L"DateTimeAtEnd");
    return ScheduleSettings{atEnd != nullptr && atEnd->saveValue, options.Boolean(L"DateTimeAtEnd"),
                            options.Text(kEventFileGlobalPrefixKey), program_.Options().Settings().defaultDuration};
  };
  host.rebuildSchedule = [this] { program_.RebuildEventSchedule(); };
  host.eventPending = [this] { return program_.EventPending(); };
  host.cancelPendingEvent = [this] { program_.CancelPendingEvent(); };
  const CaptureMenuIds& ids = program_.Ids();
  scheduleWindows_ = std::make_unique<ScheduleWindows>(
      ScheduleWindows::Parts{common_, fonts_.tahoma16, fonts_.consolas16, icons_.folder, std::move(host),
                             [this](unsigned id, bool on) { program_.CheckMenuItem(id, on); }, ids.schedule,
                             ids.editAndDelete, ids.importXmlEvents});
  return scheduleWindows_->Create();
}

bool CaptureWindowSet::CreateOptionsWindows() {
  const CaptureMenuIds& ids = program_.Ids();
  optionsWindows_ = std::make_unique<OptionsWindows>(OptionsWindows::Parts{
      common_, program_.Options(), fonts_.tahoma16, icons_.folder,
      [this](unsigned id, bool on) { program_.CheckMenuItem(id, on); },
      [this](std::wstring_view caption) {
        if (countdown_) countdown_->SetLabel(caption);
      },
      [this] { return program_.ProgramFolder(); },
      [this]() -> VideoSourceInfo* {
        VideoDeviceList& devices = program_.Devices();
        const int index = devices.CurrentDeviceIndex();
        if (index < 0 || index >= static_cast<int>(devices.Devices().size())) return nullptr;
        return &devices.Devices()[static_cast<std::size_t>(index)];
      },
      [this] {
        std::vector<std::wstring> names;
        for (const CodecEntry& entry : program_.Codecs().Entries()) names.push_back(entry.name);
        return names;
      },
      ids.codec, ids.fileOptions, ids.durationDefault, ids.eventPending, ids.performance, ids.miscellaneous});
  return optionsWindows_->Create();
}

bool CaptureWindowSet::CreateDeviceSelectionWindow() {
  deviceSelection_ = std::make_unique<DeviceSelectionWindow>();
  const bool created = deviceSelection_->Create(common_, fonts_.tahoma16, [this](WindowView& view) {
    CaptureOptions& options = program_.Options();
    return DeviceSelectionParts{view,
                                program_.Devices(),
                                common_.Common().Options(),
                                options.Nodes(),
                                [&options] { return options.SaveCaptureOptions(); },
                                [this] { return program_.StopCamera(); },
                                [this] { return program_.StartCamera(); },
                                [this] { program_.RebuildAfterDeviceChange(); }};
  });
  if (created) deviceSelection_->Controller().SetMenuCheck([this](bool) { program_.RebuildMenu(); });
  return created;
}

bool CaptureWindowSet::CreateDevicePropertiesWindow() {
  deviceProperties_ = std::make_unique<DevicePropertiesWindow>();
  CaptureOptions& options = program_.Options();
  const bool created = deviceProperties_->Create(
      common_, fonts_.tahoma16,
      DevicePropertiesWindow::Parts{
          program_.Devices(), options.Nodes(), [&options] { return options.SaveCaptureOptions(); },
          [this] { return program_.StopCamera(); }, [this] { return program_.StartCamera(); },
          [this] { program_.OnVideoSizeChanged(); }, [this] { CloseDisplayTool(kToolCrosshairs); }});
  if (created) deviceProperties_->Controller().SetMenuCheck([this](bool) { program_.RebuildMenu(); });
  return created;
}

// The events folder exists from here on: the scheduling windows work on it.
void CaptureWindowSet::StartScheduleWindows(const std::wstring& eventsFolder) {
  scheduleWindows_->Start(eventsFolder);
}

RecordingHost& CaptureWindowSet::RecordingWindows() {
  if (!recordingWindows_) {
    zuna::RecordingWindows::Parts parts{common_,
                                        mainWindow_,
                                        program_.EventTickMessage(),
                                        program_.RecordingWatchMessage(),
                                        recordControls_,
                                        *countdown_,
                                        *powerNotice_,
                                        gps_.get(),
                                        [this](bool grey) { program_.GreyMenusWhileRecording(grey); }};
    recordingWindows_ = std::make_unique<zuna::RecordingWindows>(std::move(parts));
  }
  return *recordingWindows_;
}

void CaptureWindowSet::OnGpsRefresh(LPARAM lParam) {
  if (gps_) gps_->OnRefreshMessage(lParam);
}

void CaptureWindowSet::StopTimers() {
  if (gps_) gps_->StopRefreshTimer();
  if (recordingWindows_) {
    recordingWindows_->DeleteEventTick();
    recordingWindows_->WatchRecording(false);
  }
}

}  // namespace zuna
