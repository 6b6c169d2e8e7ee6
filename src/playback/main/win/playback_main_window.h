#pragma once
// The playback program's main window with its video surface, the "Playback" controls window and
// the "Miscellaneous Options" window, and the start-up sequence that builds them. It carries out
// the controller's requests (video surface, play timer, menu) and routes the menu commands.
#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "common/display_tools/win/display_tool_windows.h"
#include "common/foundation/win/common_windows.h"
#include "common/windows/win/win_file_picker.h"
#include "playback/control/playback_controller.h"
#include "playback/control/video_player_playback_graph.h"
#include "playback/control/win/playback_controls_window.h"
#include "playback/files/playback_files.h"
#include "playback/main/playback_menu.h"
#include "playback/options/playback_options.h"
#include "playback/options/win/playback_options_window.h"
#include "video/player/video_player.h"

namespace zuna {

class PlaybackMainWindow final : public PlaybackHost {
 public:
  PlaybackMainWindow(CommonWindows& common, HINSTANCE instance, VideoPlayer& player);

  HWND Window() const { return mainWindow_; }
  MenuModel* Menu() { return &menu_; }
  // Opens a file named when the program was started, as "Open" does with a chosen one.
  void OpenFileNamed(const std::wstring& path);

  // PlaybackHost
  void ShowVideoSurface(bool show) override;
  void StartPlayTimer() override;
  void StopPlayTimer() override;
  void PostRefreshPosition() override;
  bool HasFileSource() const override { return player_.FileSourceMode(); }
  void ReleaseFile() override;
  void SizeMainWindowToDisplay() override;
  void MenuChanged() override;

 private:
  static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ClippingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static void CALLBACK PlayTimerTick(PVOID window, BOOLEAN);
  LRESULT HandleMain(UINT message, WPARAM wParam, LPARAM lParam);
  bool HandlePrivateMessage(UINT message, LPARAM lParam);

  void LoadControlIcons();
  void CreatePlaybackHelpWindows();
  bool CreateMainWindow();
  bool CreateClippingWindow();
  bool CreateControlsWindow();
  void RegisterPlacements();
  void PlaceControlsWindow();
  void RebuildMenu();
  void CreatePlaybackControl();
  void InstallProgramCallbacks();
  void CreateDisplayTools();
  // A Display command: toggles the tool's window, not while the video plays (but for magnify).
  void ToggleDisplayTool(int tool);
  // After a tool was shown or hidden: its check mark, the graph rebuilt, the paused picture back.
  Status OnDisplayToolChanged(int tool, bool shown);
  // A display value changed while paused: the frame is sought again so that it is drawn anew.
  Status RefreshPausedPicture();
  void FitToMagnifiedDisplay();
  void BeforeOpening();
  void AfterOpening();
  void OnCommand(unsigned id);
  void Exit();
  void Paint();

  CommonWindows& common_;
  HINSTANCE instance_;
  VideoPlayer& player_;
  VideoPlayerPlaybackGraph playbackGraph_{player_};
  WinFilePicker picker_;
  PlaybackControlsWindow controls_;
  PlaybackOptions options_;
  PlaybackOptionsWindow optionsWindow_;
  std::array<HICON, 6> controlIcons_{};
  unsigned sliderForwardMessage_ = 0, sliderBackwardMessage_ = 0, sliderReleasedMessage_ = 0,
           refreshPositionMessage_ = 0, helpButtonId_ = 0, saveId_ = 0, cancelId_ = 0, checkBoxIds_[2] = {};
  HFONT arrowFont_ = nullptr;
  PlaybackMenuIds ids_{};
  MenuModel menu_;
  // Made once the menu identifiers exist; they live as long as the window.
  std::unique_ptr<PlaybackController> controller_;
  std::unique_ptr<PlaybackFiles> files_;
  std::unique_ptr<DisplayToolWindows> tools_;
  std::wstring programFolder_;
  HWND mainWindow_ = nullptr;
  HWND clippingWindow_ = nullptr;
  HANDLE playTimer_ = nullptr;
};

}  // namespace zuna
