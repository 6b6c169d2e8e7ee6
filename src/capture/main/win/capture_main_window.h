#pragma once
// The capture program's main window with the live-video clipping window: it creates them, pumps
// their messages into the program and applies the program's menu and video size. The program
// (CaptureProgram) holds the behaviour; this is its Win32 composition root.
#include <windows.h>

#include "capture/countdown/win/win_power_control.h"
#include "capture/devices/win/dshow_codec_catalog.h"
#include "capture/devices/win/dshow_device_catalog.h"
#include "capture/main/capture_program.h"
#include "capture/main/win/capture_window_set.h"
#include "common/foundation/win/common_windows.h"
#include "common/windows/win/video_window.h"
#include "video/player/video_player.h"

namespace zuna {

class CaptureMainWindow final : public CaptureMainView {
 public:
  // `player` is null when the program runs without a filter-graph object.
  CaptureMainWindow(CommonWindows& common, HINSTANCE instance, VideoPlayer* player);

  HWND Window() const { return mainWindow_; }
  MenuModel* Menu() { return &program_.Menu(); }
  // The schedule-event window sees the keyboard first, so that Tab and Enter work in it.
  HWND NavigationWindow() const { return windows_.NavigationWindow(); }

  bool CreateMainWindow() override;
  void ApplyMenu(const MenuModel& menu) override;
  DisplaySize VideoRoom() const override;
  void SizeVideoSurface() override;
  void FitToDisplay() override;
  void PlaceMainWindow() override;
  void ShowMainWindow() override;
  bool ConfirmExitWhileRecording() override;
  void WakeMessageLoop() override;

 private:
  static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMain(UINT message, WPARAM wParam, LPARAM lParam);

  CommonWindows& common_;
  HINSTANCE instance_;
  VideoPlayer* player_;
  DirectShowDeviceCatalog deviceCatalog_;
  DirectShowCodecCatalog codecCatalog_;
  WinPowerControl powerControl_;
  CaptureWindowSet windows_;
  CaptureProgram program_;
  HWND mainWindow_ = nullptr;
  VideoWindow videoWindow_;
  HWND clippingWindow_ = nullptr;
};

}  // namespace zuna
