#pragma once
// The capture program's behaviour behind its main window: the start-up steps, the menu bar and its
// rules, command routing, the video size and magnifier policy, and when the camera restarts. Main
// thread only. It reaches the windows through two seams, the main window's narrow view and the
// program's other windows; the Win32 main window provides both, tests fake them.
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "capture/devices/codec_list.h"
#include "capture/devices/video_device_list.h"
#include "capture/events/event_schedule.h"
#include "capture/main/capture_menu.h"
#include "capture/options/capture_options.h"
#include "capture/recording/recording_controller.h"
#include "common/display_tools/magnify_controller.h"
#include "common/foundation/zuna_common.h"
#include "common/help/help_page.h"
#include "common/windows/menu_model.h"
#include "video/player/video_player.h"

namespace zuna {

// The main window as the program sees it: the window itself, its menu and its video surface.
class CaptureMainView {
 public:
  virtual ~CaptureMainView() = default;
  // The main window and the clipping window the picture is drawn into; false when they could not
  // be made (reported, fatal).
  virtual bool CreateMainWindow() = 0;
  virtual void ApplyMenu(const MenuModel& menu) = 0;
  // The screen's work area less the main window's frame: the room a video is shown in.
  virtual DisplaySize VideoRoom() const = 0;
  // The clipping window at the display size.
  virtual void SizeVideoSurface() = 0;
  // The main window's client area at the display size, the clipping window filling it.
  virtual void FitToDisplay() = 0;
  virtual void PlaceMainWindow() = 0;
  // Placed with the log window beside it, then shown.
  virtual void ShowMainWindow() = 0;
  virtual bool ConfirmExitWhileRecording() = 0;
  // The menu's Exit: the message loop wakes to see the exit request.
  virtual void WakeMessageLoop() = 0;
};

// What the menu shows of the program's other windows.
struct CaptureWindowsState {
  bool gpsWindow = false;
  bool optionsWindows = false;
  bool deviceSelectionWindow = false;
  bool devicePropertiesWindow = false;
  bool toolExists[4] = {};
  bool toolOpen[4] = {};
  bool gpsConnected = false;
  bool deviceSelectionOpen = false;
  bool devicePropertiesOpen = false;
  std::vector<unsigned> openWindows;  // the Events and Options menus' windows that are open
};

// The program's other windows: the display tools, GPS, countdown, power notice, scheduling, options,
// device windows and record controls.
class CaptureWindows {
 public:
  virtual ~CaptureWindows() = default;
  // Start-up steps. False from the creations is fatal.
  virtual void CreateDisplayTools() = 0;
  virtual bool CreateCaptureModeWindows() = 0;
  virtual bool CreateRecordControls() = 0;
  virtual void RegisterWindowPositions() = 0;
  virtual void CreateStandByNotice() = 0;
  virtual void StartScheduleWindows(const std::wstring& eventsFolder) = 0;
  // What a recording does to the windows; made on first use.
  virtual RecordingHost& RecordingWindows() = 0;

  virtual CaptureWindowsState State() const = 0;
  virtual void ShowRecordControls(bool shown) = 0;
  // The record controls with or without room around their buttons (`RecordButtonsSpace`): the
  // window exists before the options file is read, so the option is applied once it has been.
  virtual void SpaceRecordButtons(bool spaced) = 0;
  virtual void SetRecordButtons(bool startEnabled, bool stopEnabled) = 0;
  // The device windows change the camera itself: left open, they take no input while recording.
  virtual void EnableDeviceWindows(bool enabled) = 0;

  virtual void ToggleDisplayTool(int tool) = 0;
  virtual void CloseDisplayTool(int tool) = 0;
  // Shows the video at a magnifier step through the magnifier; false when there is none.
  virtual bool Magnify(int choice) = 0;
  virtual void ToggleGps() = 0;
  // The Events and Options menus' windows; false when `id` is none of theirs.
  virtual bool ToggleMenuWindow(unsigned id) = 0;
  virtual void ToggleDeviceSelection() = 0;
  virtual void CancelDeviceSelection() = 0;
  virtual void ToggleDeviceProperties() = 0;
  virtual void ToggleHelp(HelpPage page) = 0;
};

struct CaptureProgramParts {
  ZunaCommon& common;
  DeviceCatalog& deviceCatalog;
  CodecCatalog& codecCatalog;
  VideoPlayer* player;  // null when the program runs without a filter-graph object
  PowerControl& power;
  const AnsiCodePage& codePage;
  std::filesystem::path currentDirectory;  // where relative recordings go
  // The program's folders beside the executable: false when one could not be made (reported).
  std::function<bool(std::wstring& programFolder)> createFolders;
  // Whether the computer can hibernate (a missing capability is reported).
  std::function<bool()> hibernationSupported;
  const DiskSpace* videoDisk = nullptr;  // where recordings go: its space is checked before they start
};

class CaptureProgram {
 public:
  CaptureProgram(CaptureProgramParts parts, CaptureMainView& view, CaptureWindows& windows);
  CaptureProgram(const CaptureProgram&) = delete;
  CaptureProgram& operator=(const CaptureProgram&) = delete;

  // The start-up sequence; false (fatal start-up error set) when the program cannot go on.
  bool Start();

  void OnCommand(unsigned id);
  // The menu bar again from the windows' and the program's state.
  void RebuildMenu();
  void CheckMenuItem(unsigned id, bool on);
  void GreyMenusWhileRecording(bool grey);

  // The user closes the program: false when a recording goes on. Otherwise the exit request is set
  // and the graph stopped (a recording's file and log completed).
  bool RequestExit();

  // The camera with the current device and format; the graph is rebuilt, never patched.
  Status StartCamera();
  Status StopCamera();
  // No restart during a recording: what changed meanwhile waits for the preview that follows it.
  Status RestartCamera();
  Status OnDisplayToolChanged(int tool, bool shown);

  // The current device or its format changed: the menu, the record controls and the video follow.
  void RebuildAfterDeviceChange();
  enum class CameraRestart { kRestart, kSkip };
  // The current format changed (or the magnifier chose a display size): the video size, the
  // display and its windows follow, reduced by a magnifier step when too big for the screen. With
  // kSkip the caller restarts the camera itself.
  void OnVideoSizeChanged(CameraRestart restart = CameraRestart::kRestart);

  void OnEventTick();
  // The running recording's watch tick: it may end the recording by itself.
  void OnRecordingWatch();
  // Whether a picture runs that the clipping window can ask to be drawn again.
  bool PictureRunning() const { return player_ != nullptr && player_->IsRunning(); }

  ZunaCommon& Common() { return p_.common; }
  VideoPlayer* Player() { return player_; }
  CaptureOptions& Options() { return options_; }
  VideoDeviceList& Devices() { return devices_; }
  const CodecList& Codecs() const { return codecs_; }
  const std::wstring& ProgramFolder() const { return programFolder_; }
  bool EventPending() const { return schedule_ && schedule_->EventPendingFlag(); }
  void RebuildEventSchedule();
  void CancelPendingEvent();
  RecordingController* Recording() { return recording_.get(); }
  const CaptureMenuIds& Ids() const { return ids_; }
  MenuModel& Menu() { return menu_; }
  unsigned GpsRefreshMessage() const { return gpsRefreshMessage_; }
  unsigned EventTickMessage() const { return eventTickMessage_; }
  unsigned RecordingWatchMessage() const { return recordingWatchMessage_; }

 private:
  void TakeIdentifiers();
  bool CreateWindows();
  void ReadOptions();
  void ReportStartup();
  void ChooseDevice();
  void PrepareFolders();
  void CreateRecordingController();
  void SizeVideo();
  void SizeVideoWindows();
  void ShowWindows();
  void StartVideo();
  void InstallProgramCallbacks();
  void FinishStartup();
  bool Fatal();

  void ShowVideoAtStep(int choice);
  int StepForRoom() const;
  void FitOversizedVideo();
  void FitToMagnifiedDisplay();
  void ReportNoDevice(bool severe);
  bool IsRecording() const { return recording_ && recording_->Recording(); }

  CaptureProgramParts p_;
  CaptureMainView& view_;
  CaptureWindows& windows_;
  VideoPlayer* player_;
  CaptureOptions options_;
  VideoDeviceList devices_;
  CodecList codecs_;
  CaptureMenuIds ids_{};
  MenuModel menu_;
  unsigned gpsRefreshMessage_ = 0;
  unsigned eventTickMessage_ = 0;
  unsigned recordingWatchMessage_ = 0;
  bool foldersFailed_ = false;
  bool optionsFileRead_ = false;
  std::wstring programFolder_;
  std::unique_ptr<EventSchedule> schedule_;
  std::unique_ptr<RecordingController> recording_;
};

}  // namespace zuna
