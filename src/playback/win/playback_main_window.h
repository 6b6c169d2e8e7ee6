#pragma once
// The playback program's main window with its video surface, the "Playback" controls window and
// the "Miscellaneous Options" window, and the start-up sequence that builds them.
#include <windows.h>

#include <array>
#include <string>

#include "common/win/common_windows.h"
#include "playback/playback_menu.h"
#include "playback/playback_options.h"

namespace zuna {

class PlaybackMainWindow {
 public:
  PlaybackMainWindow(CommonWindows& common, HINSTANCE instance);

  HWND Window() const { return mainWindow_; }
  MenuModel* Menu() { return &menu_; }

 private:
  static LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ControlsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK OptionsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMain(UINT message, WPARAM wParam, LPARAM lParam);

  void LoadControlIcons();
  void CreatePlaybackHelpWindows();
  bool CreateMainWindow();
  bool CreateClippingWindow();
  bool CreateOptionsWindow();
  bool CreateControlsWindow();
  void SetNoFileState();
  void RegisterPlacements();
  void SizeMainWindowToDisplay();
  void PlaceControlsWindow();
  void RebuildMenu();
  void InstallProgramCallbacks();
  void CreateFolders();
  void OnCommand(unsigned id);

  CommonWindows& common_;
  HINSTANCE instance_;
  PlaybackOptions options_;
  std::array<HICON, 6> controlIcons_{};
  unsigned sliderForwardMessage_ = 0, sliderBackwardMessage_ = 0, sliderReleasedMessage_ = 0,
           refreshPositionMessage_ = 0, helpButtonId_ = 0, saveId_ = 0, cancelId_ = 0, checkBoxIds_[2] = {};
  HFONT arrowFont_ = nullptr;
  PlaybackMenuIds ids_{};
  MenuModel menu_;
  std::wstring programFolder_;
  HWND mainWindow_ = nullptr;
  HWND clippingWindow_ = nullptr;
  HWND optionsWindow_ = nullptr;
  HWND controlsWindow_ = nullptr;
  std::array<HWND, 8> buttons_{};  // the six control buttons, then "<" and ">"
  HWND slider_ = nullptr;
  HWND frameNumberLine_ = nullptr;
};

}  // namespace zuna
