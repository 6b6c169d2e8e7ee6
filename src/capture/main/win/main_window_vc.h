#pragma once
// The capture program's main object: its main window with the live-video clipping window, the menu
// bar and the start-up sequence that builds them and the other capture windows.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "capture/countdown/win/countdown_window.h"
#include "capture/countdown/win/power_notice_window.h"
#include "capture/countdown/win/win_power_control.h"
#include "capture/devices/codec_list.h"
#include "capture/devices/video_device_list.h"
#include "capture/devices/win/dshow_codec_catalog.h"
#include "capture/devices/win/dshow_device_catalog.h"
#include "capture/events/event_schedule.h"
#include "capture/gps/win/gps_window.h"
#include "capture/main/capture_menu.h"
#include "capture/main/capture_startup.h"
#include "capture/main/win/capture_resources.h"
#include "capture/main/win/startup_checks.h"
#include "capture/options/capture_options.h"
#include "capture/options/win/options_windows.h"
#include "capture/recording/recording_controller.h"
#include "capture/recording/win/record_controls_window.h"
#include "capture/recording/win/recording_windows.h"
#include "capture/scheduling/win/schedule_windows.h"
#include "capture/setup/win/device_properties_window.h"
#include "capture/setup/win/device_selection_window.h"
#include "common/display_tools/win/display_tool_windows.h"
#include "common/foundation/win/common_windows.h"
#include "video/player/video_player.h"

namespace zuna {

struct CaptureInfo {
  CalendarTime defaultDuration{1601, 1, 1, 0, 10, 0, 0};
  bool eventPendingShowsUtc = false;
  bool gpsFixValid = false;
  std::wstring gpsLatitude, gpsLongitude, gpsAltitude, gpsSatellites;
  std::wstring eventRecordingText;
};

class MainWindowVC {
 public:
  // `player` is null when the program runs without a filter-graph object.
  MainWindowVC(CommonWindows& common, HINSTANCE instance, VideoPlayer* player);

  HWND Window() const { return mainWindow_; }
  MenuModel* Menu() { return &menu_; }
  // The schedule-event window sees the keyboard first, so that Tab and Enter work in it.
  // The current device or its format changed: the menu bar, the record controls and the video
  // windows follow the new device.
  void RebuildAfterDeviceChange();
  // The current device's format changed (its camera already restarted or about to be): the video
  // size, the display and its windows follow it, reduced by a magnifier step when too big.
  void OnVideoSizeChanged();
  HWND NavigationWindow() const { return scheduleWindows_ ? scheduleWindows_->NavigationWindow() : nullptr; }

 private:
  static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ClippingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMain(UINT message, WPARAM wParam, LPARAM lParam);

  void RegisterWindowPositions();
  bool CreateMainAndClippingWindows();
  void CreateStandByNotice();
  bool CreateCaptureModeWindows();
  void RebuildMenu();
  void GreyMenusWhileRecording(bool grey);
  void InstallProgramCallbacks();
  void CreateDisplayTools();
  void FitToMagnifiedDisplay();
  void ShowVideoAtStep(int choice);
  void FitOversizedVideo();
  void OnCommand(unsigned id);
  bool CreateScheduleWindows();
  bool CreateOptionsWindows();
  bool CreateDeviceSelectionWindow();
  bool CreateDevicePropertiesWindow();
  void StartScheduleWindows();
  void RebuildEventSchedule();
  void CancelPendingEvent();
  bool ConfirmExitWhileRecording();
  void SizeVideoWindows();
  void CreateRecordingController();
  // The graph is rebuilt, never patched: stop tears it down to the renderer, start builds it anew.
  Status StartCurrentCamera();
  Status StopCurrentCamera();
  Status RestartCamera();
  void StopGraphForExit();

  CommonWindows& common_;
  HINSTANCE instance_;
  CaptureInfo info_;
  CaptureIcons icons_;
  CaptureOptions options_;
  CaptureFonts fonts_;
  CaptureMenuIds ids_{};
  MenuModel menu_;
  DirectShowDeviceCatalog deviceCatalog_;
  DirectShowCodecCatalog codecCatalog_;
  VideoDeviceList devices_;
  CodecList codecs_;
  VideoPlayer* player_;
  bool foldersFailed_ = false;
  PowerCapabilities power_;
  bool optionsFileRead_ = false;
  std::wstring programFolder_;
  HWND mainWindow_ = nullptr;
  HWND clippingWindow_ = nullptr;
  RecordControlsWindow recordControls_;
  HWND standByNotice_ = nullptr;
  UINT gpsRefreshMessage_ = 0;
  UINT eventTickMessage_ = 0;
  std::unique_ptr<GpsWindow> gps_;
  std::unique_ptr<DisplayToolWindows> tools_;
  WinPowerControl powerControl_;
  std::unique_ptr<CountdownWindow> countdown_;
  std::unique_ptr<PowerNoticeWindow> powerNotice_;
  std::unique_ptr<EventSchedule> schedule_;
  std::unique_ptr<RecordingWindows> recordingWindows_;
  std::unique_ptr<RecordingController> recording_;
  std::unique_ptr<ScheduleWindows> scheduleWindows_;
  std::unique_ptr<OptionsWindows> optionsWindows_;
  std::unique_ptr<DeviceSelectionWindow> deviceSelection_;
  std::unique_ptr<DevicePropertiesWindow> deviceProperties_;
};

}  // namespace zuna
