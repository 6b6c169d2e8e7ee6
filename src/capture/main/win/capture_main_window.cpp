#include "capture/main/win/capture_main_window.h"

#include <commctrl.h>

#include "capture/main/win/startup_checks.h"
#include "capture/recording/win/win_disk_space.h"
#include "common/foundation/win/program_main_window.h"
#include "common/windows/win/menu_bar.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {
namespace {

constexpr wchar_t kMainClass[] = L"ZUNA Capture Window Class";
constexpr wchar_t kIdleTitle[] = L"ZUNA Video Capture Version 2.4d";

CaptureProgramParts ProgramParts(CommonWindows& common, VideoPlayer* player, DeviceCatalog& devices,
                                 CodecCatalog& codecs, PowerControl& power) {
  static const WinDiskSpace videoDisk;
  return {common.Common(),
          devices,
          codecs,
          player,
          power,
          ProcessCodePage(),
          std::filesystem::path(CurrentDirectory()),
          [](std::wstring& programFolder) {
            return CreateFoldersBesideExecutable({L"Events", L"VideoFiles", L"MessageFilesVC", L"OptionsFiles"},
                                                 programFolder);
          },
          [] { return CheckPowerCapabilities().hibernation; },
          &videoDisk};
}

}  // namespace

CaptureMainWindow::CaptureMainWindow(CommonWindows& common, HINSTANCE instance, VideoPlayer* player)
    : common_(common),
      instance_(instance),
      player_(player),
      windows_(common, instance, powerControl_, program_),
      program_(ProgramParts(common, player, deviceCatalog_, codecCatalog_, powerControl_), *this, windows_) {
  windows_.LoadResources();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_DATE_CLASSES | ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  program_.Start();
}

bool CaptureMainWindow::CreateMainWindow() {
  RegisterWindowClass(instance_, kMainClass, MainProc, CS_HREDRAW | CS_VREDRAW, common_.Background());
  mainWindow_ = CreateWindowExW(0, kMainClass, kIdleTitle, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 400, 300,
                                nullptr, nullptr, instance_, this);
  if (mainWindow_ == nullptr) {
    PostStampedMessage(L"FATAL: cannot create main window");
    return false;
  }
  windows_.SetMainWindow(mainWindow_);
  // An uncovered or resized video window gets the last frame again at once, not black until the next.
  const bool made = videoWindow_.Create(instance_, mainWindow_, [this] {
    if (program_.PictureRunning()) player_->RepaintVideo();
  });
  clippingWindow_ = videoWindow_.Handle();
  if (!made) {
    PostStampedMessage(L"FATAL: cannot create clipping window");
    return false;
  }
  // The renderer draws into the clipping window; a failure is reported and the program goes on.
  if (player_ != nullptr) player_->SetClippingWindow(reinterpret_cast<std::uintptr_t>(clippingWindow_));
  return true;
}

void CaptureMainWindow::ApplyMenu(const MenuModel& menu) {
  ApplyMenuModel(mainWindow_, menu);
}

DisplaySize CaptureMainWindow::VideoRoom() const {
  const Rect& workArea = common_.State().workArea;
  const SIZE frame = FrameExtra(mainWindow_);
  return {workArea.Width() - static_cast<int>(frame.cx), workArea.Height() - static_cast<int>(frame.cy)};
}

void CaptureMainWindow::SizeVideoSurface() {
  const CommonState& state = common_.State();
  MoveWindow(clippingWindow_, 0, 0, state.geometry.Display().width, state.geometry.Display().height, TRUE);
}

void CaptureMainWindow::FitToDisplay() {
  SizeMainWindowToDisplay(common_.Common(), mainWindow_, clippingWindow_);
}

void CaptureMainWindow::PlaceMainWindow() {
  common_.PlaceMainWindow(mainWindow_);
}

void CaptureMainWindow::ShowMainWindow() {
  common_.PlaceMainWindow(mainWindow_);
  common_.PlaceLogWindow(mainWindow_);
  ShowWindow(mainWindow_, SW_SHOW);
  UpdateWindow(mainWindow_);
}

bool CaptureMainWindow::ConfirmExitWhileRecording() {
  return MessageBoxW(mainWindow_, L"Recording in progress.  Do you really want to exit?", L"Attention",
                     MB_ICONWARNING | MB_YESNO) == IDYES;
}

// Wakes the message loop to see the exit request.
void CaptureMainWindow::WakeMessageLoop() {
  PostMessageW(mainWindow_, WM_NULL, 0, 0);
}

LRESULT CALLBACK CaptureMainWindow::MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = WindowObject<CaptureMainWindow>(window, message, lParam);
  if (self == nullptr || self->mainWindow_ == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->HandleMain(message, wParam, lParam);
}

LRESULT CaptureMainWindow::HandleMain(UINT message, WPARAM wParam, LPARAM lParam) {
  TrackWindowMove(common_.Common(), mainWindow_, message);
  switch (message) {
    case WM_COMMAND: {
      MenuCommandScope command(common_.State());
      program_.OnCommand(LOWORD(wParam));
      return 0;
    }
    case WM_CLOSE:
      if (program_.RequestExit()) DestroyWindow(mainWindow_);
      return 0;
    case WM_DESTROY:
      windows_.StopTimers();
      PostQuitMessage(0);
      return 0;
    default:
      if (message == program_.GpsRefreshMessage()) {
        windows_.OnGpsRefresh(lParam);
        return 0;
      }
      if (message == program_.EventTickMessage()) {
        program_.OnEventTick();
        return 0;
      }
      if (message == program_.RecordingWatchMessage()) {
        program_.OnRecordingWatch();
        return 0;
      }
      break;
  }
  return DefWindowProcW(mainWindow_, message, wParam, lParam);
}

}  // namespace zuna
