#pragma once
// The capture program's main object: its main window with the live-video clipping window, the
// record controls window, the menu bar and the start-up sequence that builds them.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "capture/capture_options.h"
#include "capture/capture_startup.h"
#include "capture/codec_list.h"
#include "capture/video_device_list.h"
#include "capture/win/dshow_codec_catalog.h"
#include "capture/win/dshow_device_catalog.h"
#include "capture/win/gps_window.h"
#include "common/win/common_windows.h"
#include "video/video_player.h"

namespace zuna {

struct CaptureInfo {
  HICON stopIcon = nullptr;
  HICON recordIcon = nullptr;
  HICON folderIcon = nullptr;
  HICON folderClearIcon = nullptr;
  CalendarTime defaultDuration{1601, 1, 1, 0, 10, 0, 0};
  bool eventPendingShowsUtc = false;
  bool gpsFixValid = false;
  std::wstring gpsLatitude, gpsLongitude, gpsAltitude, gpsSatellites;
  std::wstring eventRecordingText;
};

struct CaptureFonts {
  HFONT consolas20 = nullptr, tahoma72 = nullptr, consolas16 = nullptr, consolas28 = nullptr;
  HFONT lucida48 = nullptr, lucida72 = nullptr, tahoma16 = nullptr, tahoma18 = nullptr;
};

class MainWindowVC {
 public:
  // `player` is null when the program runs without a filter-graph object.
  MainWindowVC(CommonWindows& common, HINSTANCE instance, VideoPlayer* player);

  HWND Window() const { return mainWindow_; }
  MenuModel* Menu() { return &menu_; }

 private:
  static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ClippingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK RecordControlsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMain(UINT message, WPARAM wParam, LPARAM lParam);

  void LoadCaptureIcons();
  void CreateCaptureFonts();
  void CreateCaptureHelpWindows();
  void RegisterWindowPositions();
  bool CreateMainAndClippingWindows();
  bool CreateRecordControlsWindow();
  void CreateStandByNotice();
  bool CreateCaptureModeWindows();
  void CheckPowerCapabilities();
  void RebuildMenu();
  void InstallProgramCallbacks();
  void SizeMainWindowToVideo();
  void CreateFolders();
  void OnCommand(unsigned id);
  bool ConfirmExitWhileRecording();
  void SizeVideoWindows();
  void ShowRecordControls();
  // The graph is rebuilt, never patched: stop tears it down to the renderer, start builds it anew.
  Status StartCurrentCamera();
  Status StopCurrentCamera();
  Status RestartCamera();
  void StopGraphForExit();

  CommonWindows& common_;
  HINSTANCE instance_;
  CaptureInfo info_;
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
  bool hibernationAvailable_ = true;
  bool shutdownPrivilege_ = true;
  bool optionsFileRead_ = false;
  std::wstring programFolder_;
  HWND mainWindow_ = nullptr;
  HWND clippingWindow_ = nullptr;
  HWND recordControls_ = nullptr;
  HWND startButton_ = nullptr;
  HWND stopButton_ = nullptr;
  HWND standByNotice_ = nullptr;
  UINT gpsRefreshMessage_ = 0;
  std::unique_ptr<GpsWindow> gps_;
};

}  // namespace zuna
