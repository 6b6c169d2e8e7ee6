#pragma once
// The playback program's main window with its video surface, the "Playback" controls window and
// the "Miscellaneous Options" window. It creates them in the steps that PlaybackProgram runs, pumps
// their messages into the program and the controller, and carries out their requests (menu, video
// surface, play timer, window size and place).
#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "common/display_tools/win/display_tool_windows.h"
#include "common/foundation/win/common_windows.h"
#include "common/foundation/win/main_thread_timer.h"
#include "common/windows/win/video_window.h"
#include "common/windows/win/win_file_picker.h"
#include "playback/control/playback_controller.h"
#include "playback/control/video_player_playback_graph.h"
#include "playback/control/win/playback_controls_window.h"
#include "playback/files/playback_files.h"
#include "playback/lightcurve/win/light_curve_window.h"
#include "playback/main/playback_program.h"
#include "playback/options/playback_options.h"
#include "playback/options/win/playback_options_window.h"
#include "video/player/video_overlay.h"
#include "video/player/video_player.h"

namespace zuna {

class PlaybackMainWindow final : public PlaybackHost, PlaybackProgramView, PlaybackStartup {
 public:
  // `overlay`: the marks the renderer draws over the picture (the light curve's stars).
  PlaybackMainWindow(CommonWindows& common, HINSTANCE instance, VideoPlayer& player, VideoOverlay& overlay);

  HWND Window() const { return mainWindow_; }
  MenuModel* Menu() { return &program_.Menu(); }
  // Opens a file named when the program was started, as "Open" does with a chosen one.
  void OpenFileNamed(const std::wstring& path) { program_.OpenFileNamed(path); }

  // PlaybackHost
  void ShowVideoSurface(bool show) override;
  void StartPlayTimer() override;
  void StopPlayTimer() override;
  void PostRefreshPosition() override;
  bool HasFileSource() const override { return player_.FileSourceMode(); }
  void ReleaseFile() override { files_->Release(); }
  void SizeMainWindowToDisplay() override;
  void MenuChanged() override { program_.MenuChanged(); }

 private:
  // PlaybackStartup
  void RegisterOptions() override { options_.RegisterPlaybackOptions(); }
  void LoadControlIcons() override;
  void CreateHelpWindows() override;
  void TakeMessageIdentifiers() override;
  void CreateArrowFont() override;
  bool CreateMainWindow() override;
  bool CreateVideoSurface() override;
  bool CreateOptionsWindow() override;
  bool CreateControlsWindow() override;
  void CreateDisplayTools() override;
  bool CreateLightCurveWindow() override { return lightCurve_.Create(common_, instance_, overlay_); }
  void RegisterPlacements() override;
  void ReadOptions() override { options_.ReadPlaybackOptions(); }
  void ApplyIconsAndReportTimeZone() override;
  void ChoosePictureRenderer() override;
  void PlaceAndShowWindows() override;
  unsigned NextIdentifier() override { return common_.Common().NextIdentifier(); }
  const DisplayToolSwitch* DisplayTools() const override { return tools_.get(); }
  void ConnectOptionsWindow() override;
  void CreatePlaybackControl() override;
  void InstallProgramCallbacks() override;
  void CreateProgramFolders() override;
  void FlushPendingMessages() override { common_.Common().Log().FlushPending(); }

  // PlaybackProgramView
  void ApplyMenu(const MenuModel& menu) override;
  void RepaintVideo() override { player_.RepaintVideo(); }
  Status RedrawPausedFrame() override;
  void FitToMagnifiedDisplay() override;
  void KeepMainWindowInView() override;
  void ToggleHelp(HelpPage page) override { common_.Help().Toggle(page, mainWindow_); }
  void ToggleOptionsWindow() override;
  void ToggleLightCurveWindow() override;
  void FileChanged() override;
  void SaveWindowPositions() override { options_.SaveWindowPositions(); }
  void DestroyMainWindow() override { DestroyWindow(mainWindow_); }

  static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMain(UINT message, WPARAM wParam, LPARAM lParam);
  bool HandlePrivateMessage(UINT message, LPARAM lParam);
  bool Fatal(const wchar_t* message);
  // The light curve's menu check, its frame and repaint requests, and the clicks that pick its stars.
  void ConnectLightCurve();
  void OnVideoClick(int x, int y);
  void PaintBlank(HWND window);

  CommonWindows& common_;
  HINSTANCE instance_;
  VideoPlayer& player_;
  VideoOverlay& overlay_;
  VideoPlayerPlaybackGraph playbackGraph_{player_};
  WinFilePicker picker_;
  PlaybackControlsWindow controls_;
  PlaybackOptions options_;
  PlaybackOptionsWindow optionsWindow_;
  LightCurveWindow lightCurve_;
  CommonPlaybackState state_;
  PlaybackProgram program_{*this, state_};
  std::array<HICON, 6> controlIcons_{};
  unsigned sliderForwardMessage_ = 0, sliderBackwardMessage_ = 0, sliderReleasedMessage_ = 0,
           refreshPositionMessage_ = 0, helpButtonId_ = 0, saveId_ = 0, cancelId_ = 0, checkBoxIds_[2] = {};
  HFONT arrowFont_ = nullptr;
  // Made once the menu identifiers exist; they live as long as the window.
  std::unique_ptr<PlaybackController> controller_;
  std::unique_ptr<PlaybackFiles> files_;
  std::unique_ptr<DisplayToolWindows> tools_;
  std::wstring programFolder_;
  HWND mainWindow_ = nullptr;
  VideoWindow videoWindow_;
  HWND clippingWindow_ = nullptr;
  std::optional<MainThreadTimer> playTimer_;
};

}  // namespace zuna
