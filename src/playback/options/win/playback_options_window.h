#pragma once
// The playback program's "Miscellaneous Options" window over its controller. Created hidden at
// start-up; the close box cancels.
#include <windows.h>

#include <memory>

#include "common/windows/win/dialog_window.h"
#include "playback/options/playback_options_controller.h"

namespace zuna {

class CommonWindows;

class PlaybackOptionsWindow {
 public:
  // The child identifiers the program took for the window's controls.
  struct ControlIds {
    unsigned checkBoxes[2];
    unsigned save, cancel, help;
  };

  // Creates the hidden window; on failure sets the fatal flag and posts why.
  bool Create(CommonWindows& common, HINSTANCE instance, const ControlIds& ids);
  // Joins the controller to the main window once it exists (placement, menu check, magnifier).
  void Connect(HWND mainWindow, PlaybackOptionsController::Hooks hooks);
  HWND Window() const { return window_.Window(); }
  PlaybackOptionsController* Controller() { return controller_.get(); }

 private:
  void AddControl(int id, unsigned childId, DWORD style, int x, int y, int width, int height);
  void OnClicked(int control);

  CommonWindows* common_ = nullptr;
  HWND mainWindow_ = nullptr;
  DialogWindow window_;
  std::unique_ptr<PlaybackOptionsController> controller_;
};

}  // namespace zuna
