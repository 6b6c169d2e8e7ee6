#include "capture/win/main_window_vc.h"

#include <commctrl.h>
#include <powrprof.h>

#include "capture/camera_control.h"
#include "capture/device_startup.h"
#include "common/path_text.h"
#include "common/win/menu_bar.h"
#include "common/win/track_window_move.h"
#include "common/win/win_util.h"

namespace zuna {
namespace {

constexpr wchar_t kMainClass[] = L"ZUNA Capture Window Class";
constexpr wchar_t kClippingClass[] = L"Clipping Window Class";
constexpr wchar_t kRecordClass[] = L"Record Controls Window Class";
constexpr wchar_t kIdleTitle[] = L"ZUNA Video Capture Version 2.4d";

}  // namespace

MainWindowVC::MainWindowVC(CommonWindows& common, HINSTANCE instance, VideoPlayer* player)
    : common_(common),
      instance_(instance),
      options_(common.Common()),
      devices_(deviceCatalog_, common.State()),
      codecs_(codecCatalog_),
      player_(player) {
  ZunaCommon& zc = common_.Common();
  CommonState& state = zc.State();
  LoadCaptureIcons();                                                  // 1
  CreateCaptureFonts();                                                // 2
  CreateCaptureHelpWindows();                                          // 3
  options_.RegisterCaptureOptions();                                   // 4
  ids_ = TakeCaptureMenuIds([&zc] { return zc.NextIdentifier(); });
  gpsRefreshMessage_ = zc.NextIdentifier();
  codecs_.FindCodecs();                                                // 6
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  ListDevicesAtStartup(devices_);                                      // 9
  if (!CreateMainAndClippingWindows()) return;                         // 10
  if (!CreateCaptureModeWindows()) {                                   // 11
    PostUserMessage(L"FATAL: cannot create Capture Mode windows", true);
    state.fatalStartupError = true;
    zc.Log().FlushPending();
    return;
  }
  if (!CreateRecordControlsWindow()) {                                 // 12
    state.fatalStartupError = true;
    return;
  }
  RegisterWindowPositions();                                           // 13
  optionsFileRead_ = options_.ReadCaptureOptions();                    // 14
  if (!devices_.Devices().empty()) devices_.SetCurrentDeviceIndex(0);  // 15
  MatchDevicesWithSavedOptions(devices_.Devices(), options_.Nodes());  // 16
  // The saved formats go in now, so that the video size below is that of the format in use.
  ApplySavedDeviceFormats(devices_.Devices(), options_.Nodes().configurations);
  zc.ReportTimeZone();                                                 // 17
  PostStartupFindings(optionsFileRead_, codecs_.Entries().size(), zc.Folders().processDirectory);  // 18
  PostAttachedDevices(DescribeStartupDevices(devices_.Devices()), devices_.AttachedCount());     // 19
  common_.ApplyIcons(mainWindow_);                                     // 20
  CreateStandByNotice();                                               // 21
  ChooseStartupCurrentDevice(devices_, zc.Options().Text(L"DefaultVideoSource"));  // 22
  CreateFolders();                                                     // 30 (needed by the menu's greying)
  RebuildMenu();                                                       // 23
  SetStartupVideoSize(devices_, state);                                // 24
  SizeVideoWindows();                                                  // 25
  CheckPowerCapabilities();                                            // 26
  SizeMainWindowToVideo();                                             // 27
  common_.PlaceMainWindow(mainWindow_);
  common_.PlaceLogWindow(mainWindow_);                                 // 28
  ShowWindow(mainWindow_, SW_SHOW);                                    // 29
  UpdateWindow(mainWindow_);
  if (devices_.CurrentDeviceIndex() < 0) {
    PostUserMessage(L"There is no usable video capture device connected to the computer\r\n", false);
  } else {
    ShowRecordControls();
    if (player_ != nullptr) player_->RepaintVideo();
  }
  options_.ApplyCaptureOptions();                                      // 31
  if (devices_.CurrentDeviceIndex() >= 0) StartCurrentCamera();        // 32
  options_.FillDefaultFolders(programFolder_);                         // 33
  if (zc.Options().Boolean(L"AutostartGPS")) OnCommand(ids_.gpsReceiver);  // 34
  InstallProgramCallbacks();                                           // 35
  zc.Log().FlushPending();                                             // 36
  PostUserMessage(L"Monitor resolution: " + std::to_wstring(state.monitorDpi) + L" dpi\r\n", false);
}

void MainWindowVC::LoadCaptureIcons() {
  info_.stopIcon = LoadIconFile(common_.IconPath(L"stop64x.ico"), 64);
  info_.recordIcon = LoadIconFile(common_.IconPath(L"record56x.ico"), 56);
  info_.folderIcon = LoadIconFile(common_.IconPath(L"folder32x.ico"), 32);
  info_.folderClearIcon = LoadIconFile(common_.IconPath(L"folderClear32x.ico"), 32);
}

void MainWindowVC::CreateCaptureFonts() {
  fonts_.consolas20 = FontOrWarning(L"Consolas", 20, L"WARNING: cannot create font for codec or camera lists\r\n");
  fonts_.tahoma72 = FontOrWarning(L"Tahoma", 72, L"WARNING: cannot create font for countdown window\r\n");
  fonts_.consolas16 = FontOrWarning(L"Consolas", 16, L"WARNING: cannot create Consolas 16 font for event list\r\n");
  fonts_.consolas28 = FontOrWarning(
      L"Consolas", 28, L"WARNING: cannot create Consolas 28 font for hibernation | shutdown countdown\r\n");
  fonts_.lucida48 = FontOrWarning(L"Lucida Console", 48,
                                  L"WARNING: cannot create Lucida Console 48 font for event countdown\r\n");
  fonts_.lucida72 = FontOrWarning(L"Lucida Console", 72,
                                  L"WARNING: cannot create Lucida Console 72 font for event countdown\r\n");
  fonts_.tahoma16 = FontOrWarning(L"Tahoma", 16,
                                  L"WARNING: cannot create Tahoma 16 font for dialog buttons and static text\r\n");
  fonts_.tahoma18 = FontOrWarning(L"Tahoma", 18,
                                  L"WARNING: cannot create Tahoma 18 font for dialog buttons and static text\r\n");
}

void MainWindowVC::CreateCaptureHelpWindows() {
  static const struct {
    int id;
    const wchar_t* warning;
  } kHelp[] = {
      {0, L"WARNING: cannot create main help window - feature not enabled\r\n"},
      {5, L"WARNING: cannot create video device select help window - feature not enabled\r\n"},
      {6, L"WARNING: cannot create video device properties help window - feature not enabled\r\n"},
      {7, L"WARNING: cannot create file options help window - feature not enabled\r\n"},
      {8, L"WARNING: cannot create codec selection help window - feature not enabled\r\n"},
      {9, L"WARNING: cannot create file properties help window - feature not enabled\r\n"},
      {10, L"WARNING: cannot create performance options help window - feature not enabled\r\n"},
      {11, L"WARNING: cannot create miscellaneous options help window - feature not enabled\r\n"},
      {12, L"WARNING: cannot create time lapse recording help window - feature not enabled\r\n"},
      {13, L"WARNING: cannot create event scheduling help window - feature not enabled\r\n"},
      {14, L"WARNING: cannot create event view and edit help window - feature not enabled\r\n"},
      {15, L"WARNING: cannot create event pending help window - feature not enabled\r\n"},
      {16, L"WARNING: cannot create Capture version history help window - feature not enabled\r\n"},
      {20, L"WARNING: cannot create Capture import xml based files help window - feature not enabled\r\n"},
  };
  for (const auto& help : kHelp) {
    if (!common_.Help().Create(help.id)) PostUserMessage(help.warning, true);
  }
}

void MainWindowVC::RegisterWindowPositions() {
  const auto windowOf = [this](CaptureWindow window) -> WindowSlot {
    switch (window) {
      case CaptureWindow::kMain: return {mainWindow_, 400, 300};
      case CaptureWindow::kRecordControls: return {recordControls_, 224, 144};
      case CaptureWindow::kGps: return {gps_ ? gps_->Window() : nullptr, 290, 250};
      default: return {};  // windows this build does not have keep their entries from the file
    }
  };
  options_.RegisterCaptureWindowPositions(windowOf, [this](int id) -> const void* { return common_.Help().Window(id); });
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
  clippingWindow_ = CreateWindowExW(0, kClippingClass, L"", WS_CHILD | WS_VISIBLE, 0, 0, 200, 200, mainWindow_,
                                    nullptr, instance_, this);
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

void MainWindowVC::ShowRecordControls() {
  // Starting and stopping a recording from these buttons is not part of this build yet: both stay
  // disabled rather than offer a button that does nothing.
  EnableWindow(startButton_, FALSE);
  EnableWindow(stopButton_, FALSE);
  ShowWindow(recordControls_, SW_SHOW);
  SetWindowPos(recordControls_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

Status MainWindowVC::StartCurrentCamera() {
  if (player_ == nullptr) return kFail;
  return StartCamera({devices_, *player_, codecs_, common_.State()}, std::wstring());
}

Status MainWindowVC::StopCurrentCamera() {
  if (player_ == nullptr) return kOk;
  return StopCamera(*player_, common_.State());
}

// At exit the graph is stopped, which completes a recording's file, but not torn down: the process
// ends with it, and breaking the renderer's connection is what Wine's EVR cannot survive.
void MainWindowVC::StopGraphForExit() {
  CommonState& state = common_.State();
  if (player_ == nullptr || !state.graphRunning) return;
  if (Failed(player_->Stop())) PostUserMessage(L"WARNING: attempt to stop filter graph failed\r\n", true);
  state.graphRunning = false;
}

Status MainWindowVC::RestartCamera() {
  const Status stopped = StopCurrentCamera();
  if (Failed(stopped) || devices_.CurrentDeviceIndex() < 0) return stopped;
  return StartCurrentCamera();
}

bool MainWindowVC::CreateRecordControlsWindow() {
  RegisterWindowClass(instance_, kRecordClass, RecordControlsProc, CS_NOCLOSE, common_.Background());
  const bool spaced = common_.Common().Options().Boolean(L"RecordButtonsSpace");
  const int margin = spaced ? 20 : 0;
  recordControls_ = CreateWindowExW(0, kRecordClass, L"Record", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0,
                                    spaced ? 264 : 224, spaced ? 164 : 144, nullptr, nullptr, instance_, this);
  if (recordControls_ == nullptr) return false;
  const DWORD style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_MULTILINE;
  startButton_ = CreateWindowExW(0, L"BUTTON", L"Start\r\nRecording", style, margin + 3, margin + 3, 100, 100,
                                 recordControls_, nullptr, instance_, nullptr);
  stopButton_ = CreateWindowExW(0, L"BUTTON", L"Stop\r\nRecording", style, margin + 106, margin + 3, 100, 100,
                                recordControls_, nullptr, instance_, nullptr);
  if (startButton_ == nullptr || stopButton_ == nullptr) return false;
  // Both start disabled; ShowRecordControls decides once a device is shown.
  EnableWindow(startButton_, FALSE);
  EnableWindow(stopButton_, FALSE);
  common_.ApplyIcons(recordControls_);
  return true;
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
  return gps_->Create();
}

void MainWindowVC::CheckPowerCapabilities() {
  SYSTEM_POWER_CAPABILITIES caps{};
  // Hibernation needs the S4 state and a hibernation file.
  if (!GetPwrCapabilities(&caps) || !caps.SystemS4 || !caps.HiberFilePresent) {
    hibernationAvailable_ = false;
    PostUserMessage(L"Computer cannot be placed into hibernation\n", true);
  }
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
    shutdownPrivilege_ = false;
    PostUserMessage(L"No privilege to automatically shut down or hibernate after event recording\n", true);
  } else {
    CloseHandle(token);
  }
}

void MainWindowVC::RebuildMenu() {
  CaptureMenuState s;
  s.anyDevice = !devices_.Devices().empty();
  s.currentDevice = devices_.CurrentDeviceIndex() >= 0;
  s.recording = common_.State().recording;
  s.foldersFailed = foldersFailed_;
  s.gpsWindow = gps_ != nullptr;
  s.optionsFileWriter = true;
  menu_ = BuildCaptureMenu(ids_, s);
  menu_.Check(ids_.gpsReceiver, gps_ != nullptr && gps_->Port().Connected());
  ApplyMenuModel(mainWindow_, menu_);
}

void MainWindowVC::SizeMainWindowToVideo() {
  const CommonState& state = common_.State();
  if (IsIconic(mainWindow_)) ShowWindow(mainWindow_, SW_RESTORE);
  RECT r{0, 0, state.displayWidth, state.displayHeight};
  AdjustWindowRectEx(&r, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, TRUE, 0);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  SetWindowPos(mainWindow_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
  common_.Common().Placements().RecordSize(mainWindow_, width, height);
}

void MainWindowVC::CreateFolders() {
  programFolder_ = ProgramFolderFromExecutable(ModulePath());
  foldersFailed_ = !CreateProgramFolders(programFolder_, {L"Events", L"VideoFiles", L"MessageFilesVC", L"OptionsFiles"},
                                         FolderExists, CreateFolder);
}

void MainWindowVC::InstallProgramCallbacks() {
  ProgramCallbacks callbacks;
  callbacks.saveOptionsFile = [this] { return options_.SaveOptionsFile(); };
  callbacks.onDisplayToolChanged = [this](int tool, bool shown) {
    const unsigned ids[] = {ids_.magnify, ids_.brightnessContrast, ids_.pixelSaturation, ids_.crosshairs};
    if (tool < 0 || tool > 3) return kInvalidArg;
    common_.State().displayToolOn[static_cast<std::size_t>(tool)] = shown;
    menu_.Check(ids[tool], shown);
    ApplyMenuModel(mainWindow_, menu_);
    // The graph is built again so that the shown tools' filters go in and the hidden ones come out.
    return RestartCamera();
  };
  common_.Common().SetProgramCallbacks(std::move(callbacks));
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
    case WM_COMMAND:
      OnCommand(LOWORD(wParam));
      return 0;
    case WM_CLOSE:
      if (!ConfirmExitWhileRecording()) return 0;
      state.exitRequested = true;
      StopGraphForExit();
      DestroyWindow(mainWindow_);
      return 0;
    case WM_DESTROY:
      if (gps_) gps_->StopRefreshTimer();
      PostQuitMessage(0);
      return 0;
    default:
      if (message == gpsRefreshMessage_ && gps_) {
        gps_->OnRefreshMessage(lParam);
        return 0;
      }
      break;
  }
  return DefWindowProcW(mainWindow_, message, wParam, lParam);
}

LRESULT CALLBACK MainWindowVC::ClippingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindowVC::RecordControlsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<MainWindowVC>(window, message, lParam);
  if (message == WM_CLOSE) return 0;  // the record controls cannot be closed
  if (self != nullptr && self->recordControls_ == window) {
    TrackWindowMove(self->common_.Common(), window, message);
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace zuna
