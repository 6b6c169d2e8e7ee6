#pragma once
// The playback program's behaviour behind its main window: the start-up steps in their order, the
// menu rules, the routing of menu commands, the display-tool policy, the graph rebuilt for a tool
// and the paint rule. The window supplies the seams below and carries out what it is told.
// Main thread only.
#include <functional>
#include <string>

#include "common/display_tools/display_tool_switch.h"
#include "common/foundation/common_state.h"
#include "common/foundation/status.h"
#include "common/help/help_page.h"
#include "common/windows/menu_model.h"
#include "playback/control/playback_commands.h"
#include "playback/control/playback_controller.h"
#include "playback/control/playback_graph.h"
#include "playback/files/playback_file_commands.h"
#include "playback/main/playback_menu.h"

namespace zuna {

// The main window's start-up, one step each; a step that returns false ends the start-up there
// (a fatal one has then been reported).
class PlaybackStartup {
 public:
  virtual ~PlaybackStartup() = default;

  virtual void RegisterOptions() = 0;
  virtual void LoadControlIcons() = 0;
  virtual void CreateHelpWindows() = 0;
  virtual void TakeMessageIdentifiers() = 0;
  virtual void CreateArrowFont() = 0;
  virtual bool CreateMainWindow() = 0;
  virtual bool CreateVideoSurface() = 0;
  virtual void SizeMainWindowToDisplay() = 0;
  virtual bool CreateOptionsWindow() = 0;
  virtual bool CreateControlsWindow() = 0;
  virtual void CreateDisplayTools() = 0;
  // The "Light Curve" window; without it the program runs with its menu item grey.
  virtual bool CreateLightCurveWindow() = 0;
  virtual void RegisterPlacements() = 0;
  virtual void ReadOptions() = 0;
  virtual void ApplyIconsAndReportTimeZone() = 0;
  // The window renderer when the options choose it; the log names the renderer in use.
  virtual void ChoosePictureRenderer() = 0;
  // The main window at its place, the log window beside it, the main window shown, then the
  // controls window under the log window.
  virtual void PlaceAndShowWindows() = 0;
  // For the menu, built after the windows: the next free command identifier, the tool windows.
  virtual unsigned NextIdentifier() = 0;
  virtual const DisplayToolSwitch* DisplayTools() const = 0;
  virtual void ConnectOptionsWindow() = 0;
  // The controller, the file commands and the display tools attached to the program; the controls
  // shown in the no-file state.
  virtual void CreatePlaybackControl() = 0;
  virtual void InstallProgramCallbacks() = 0;
  virtual void CreateProgramFolders() = 0;
  virtual void FlushPendingMessages() = 0;
};

// What the program asks of the main window beyond the start-up.
class PlaybackProgramView {
 public:
  virtual ~PlaybackProgramView() = default;

  virtual void ApplyMenu(const MenuModel& menu) = 0;
  virtual void RepaintVideo() = 0;
  // Seeks the paused frame again so that it is drawn anew.
  virtual Status RedrawPausedFrame() = 0;
  // The window and the renderer follow the magnifier's display size.
  virtual void FitToMagnifiedDisplay() = 0;
  // The window has been sized to an open file's video: it is moved into view.
  virtual void KeepMainWindowInView() = 0;
  virtual void ToggleHelp(HelpPage page) = 0;
  virtual void ToggleOptionsWindow() = 0;
  virtual void ToggleLightCurveWindow() = 0;
  // A file was opened or closed: the light curve's stars and results belong to the file.
  virtual void FileChanged() = 0;
  virtual void SaveWindowPositions() = 0;
  virtual void DestroyMainWindow() = 0;
};

// The program-wide state the playback program reads and writes.
class PlaybackProgramState {
 public:
  virtual ~PlaybackProgramState() = default;

  virtual bool ToolUnavailable(int tool) const = 0;
  virtual bool GraphRunning() const = 0;
  virtual bool MagnifyChangeInProgress() const = 0;
  // The magnifier's choice for the display size the file was fitted to.
  virtual void ChooseMagnifyForDisplay() = 0;
  virtual void RequestExit() = 0;
};

// PlaybackProgramState over the program's CommonState and the graph, which knows whether it runs.
class CommonPlaybackState final : public PlaybackProgramState {
 public:
  CommonPlaybackState(CommonState& state, const PlaybackGraph& graph) : state_(state), graph_(graph) {}
  bool ToolUnavailable(int tool) const override;
  bool GraphRunning() const override { return graph_.IsRunning(); }
  bool MagnifyChangeInProgress() const override { return state_.magnifyChangeInProgress; }
  void ChooseMagnifyForDisplay() override;
  void RequestExit() override { state_.exit.Request(); }

 private:
  CommonState& state_;
  const PlaybackGraph& graph_;
};

class PlaybackProgram {
 public:
  PlaybackProgram(PlaybackProgramView& view, PlaybackProgramState& state) : view_(view), state_(state) {}

  // Runs the steps in order; false when one ended the start-up.
  bool Start(PlaybackStartup& steps);

  // The menu's identifiers, then the menu as it stands at start-up.
  void TakeMenuIds(const std::function<unsigned()>& nextIdentifier);
  void BuildMenu(const DisplayToolSwitch* tools);
  const PlaybackMenuIds& Ids() const { return ids_; }
  MenuModel& Menu() { return menu_; }
  void MenuChanged() { view_.ApplyMenu(menu_); }
  void SetOptionsWindowShown(bool shown);
  void SetLightCurveWindowShown(bool shown);

  // The parts made after the menu; each may be missing when its window could not be created.
  void Attach(PlaybackController* controller, PlaybackFileCommands* files, DisplayToolSwitch* tools);
  PlaybackController* Controller() { return controller_; }

  void OnMenuCommand(unsigned id);
  void RunCommand(PlaybackCommand command);
  void OpenFileNamed(const std::wstring& path);
  void Exit();

  // Display tools but the magnifier are refused while the video plays.
  void ToggleDisplayTool(int tool);
  // A tool was shown or hidden: its check mark, the graph rebuilt, then the paused picture put back.
  Status OnDisplayToolChanged(int tool, bool shown);
  // A display value changed: a paused frame is drawn anew.
  Status RefreshPausedPicture();
  void OnVideoSizeChanged();
  // The main window was sized to the display.
  void OnMainWindowSized();

  // The paused frame is drawn again when uncovered; at the end of the file nothing is on show.
  bool VideoNeedsRepaint() const;
  void OnVideoUncovered();

 private:
  bool FileOpen() const { return controller_ != nullptr && controller_->FileOpen(); }
  void Open(const std::function<void()>& open);

  PlaybackProgramView& view_;
  PlaybackProgramState& state_;
  PlaybackMenuIds ids_{};
  MenuModel menu_;
  PlaybackController* controller_ = nullptr;
  PlaybackFileCommands* files_ = nullptr;
  DisplayToolSwitch* tools_ = nullptr;
  bool lightCurveWindow_ = false;
};

}  // namespace zuna
