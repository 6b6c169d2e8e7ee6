#pragma once
// The capture program's windows other than the main window: the display tools, GPS, countdown,
// power notice, scheduling, options, device windows and record controls, with what a recording
// does to them. They call the program back; the program reaches them through CaptureWindows.
#include <windows.h>

#include <memory>

#include "capture/countdown/win/countdown_window.h"
#include "capture/countdown/win/power_notice_window.h"
#include "capture/countdown/win/win_power_control.h"
#include "capture/gps/win/gps_window.h"
#include "capture/main/capture_program.h"
#include "capture/main/win/capture_resources.h"
#include "capture/options/win/options_windows.h"
#include "capture/recording/win/record_controls_window.h"
#include "capture/recording/win/recording_windows.h"
#include "capture/scheduling/win/schedule_windows.h"
#include "capture/setup/win/device_properties_window.h"
#include "capture/setup/win/device_selection_window.h"
#include "common/display_tools/win/display_tool_windows.h"
#include "common/foundation/win/common_windows.h"

namespace zuna {

class CaptureWindowSet final : public CaptureWindows {
 public:
  CaptureWindowSet(CommonWindows& common, HINSTANCE instance, PowerControl& power, CaptureProgram& program);

  // The icons, fonts and help windows the capture windows use, before any of them is made.
  void LoadResources();
  // The main window exists: the other windows belong to it.
  void SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }
  HWND NavigationWindow() const { return scheduleWindows_ ? scheduleWindows_->NavigationWindow() : nullptr; }
  void OnGpsRefresh(LPARAM lParam);
  // The main window is being destroyed: the timers stop.
  void StopTimers();

  void CreateDisplayTools() override;
  bool CreateCaptureModeWindows() override;
  bool CreateRecordControls() override;
  void RegisterWindowPositions() override;
  void CreateStandByNotice() override;
  void StartScheduleWindows(const std::wstring& eventsFolder) override;
  RecordingHost& RecordingWindows() override;

  CaptureWindowsState State() const override;
  void ShowRecordControls(bool shown) override;
  void SpaceRecordButtons(bool spaced) override;
  void SetRecordButtons(bool startEnabled, bool stopEnabled) override;
  void EnableDeviceWindows(bool enabled) override;

  void ToggleDisplayTool(int tool) override;
  void CloseDisplayTool(int tool) override;
  bool Magnify(int choice) override;
  void ToggleGps() override;
  bool ToggleMenuWindow(unsigned id) override;
  void ToggleDeviceSelection() override;
  void CancelDeviceSelection() override;
  void ToggleDeviceProperties() override;
  void ToggleHelp(HelpPage page) override;

 private:
  bool CreateScheduleWindows();
  bool CreateOptionsWindows();
  bool CreateDeviceSelectionWindow();
  bool CreateDevicePropertiesWindow();
  WindowSlot SlotOf(CaptureWindow window) const;

  CommonWindows& common_;
  HINSTANCE instance_;
  PowerControl& power_;
  CaptureProgram& program_;
  HWND mainWindow_ = nullptr;
  CaptureIcons icons_;
  CaptureFonts fonts_;
  RecordControlsWindow recordControls_;
  HWND standByNotice_ = nullptr;
  std::unique_ptr<GpsWindow> gps_;
  std::unique_ptr<DisplayToolWindows> tools_;
  std::unique_ptr<CountdownWindow> countdown_;
  std::unique_ptr<PowerNoticeWindow> powerNotice_;
  std::unique_ptr<zuna::RecordingWindows> recordingWindows_;
  std::unique_ptr<ScheduleWindows> scheduleWindows_;
  std::unique_ptr<OptionsWindows> optionsWindows_;
  std::unique_ptr<DeviceSelectionWindow> deviceSelection_;
  std::unique_ptr<DevicePropertiesWindow> deviceProperties_;
};

}  // namespace zuna
