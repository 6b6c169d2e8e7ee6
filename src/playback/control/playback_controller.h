#pragma once
// The main-window side of playback control: runs the commands of the controls window, the slider
// and the play timer through the player, and keeps the controls window's state, the video surface,
// the play timer and the playback menu items in step with the position. Main thread only: the
// play timer's ticks arrive here as messages.
#include "common/foundation/common_state.h"
#include "common/windows/menu_model.h"
#include "playback/control/playback_controls.h"
#include "playback/control/playback_host.h"
#include "playback/control/playback_player.h"
#include "playback/main/playback_menu.h"

namespace zuna {

enum class SliderNotification {
  kLineUp,
  kLineDown,
  kPageUp,
  kPageDown,
  kThumbPosition,
  kThumbTrack,
  kEndTrack,
  kTop,
  kBottom
};

class PlaybackController {
 public:
  // The controller greys, checks, adds and removes the menu items of ids that it owns: "Close",
  // "Information", "Dropped Frames Control" and the Display tools but "Magnify...".
  PlaybackController(PlaybackGraph& graph, PlaybackControlsView& view, PlaybackHost& host, MenuModel& menu,
                     const PlaybackMenuIds& ids, CommonState& state);

  // Start-up: the controls in the no-file state.
  void EnterNoFileState();
  // After the file was added, rendered and given frame-format seeking: the Display commands, the
  // dropped-frame control, the slider, and the file paused at its beginning.
  void OpenFile(const PlaybackFileFacts& file);
  // "Close", "Open" and exit. Nothing when no file is open.
  void CloseFile();

  // The main window's command handler. After the graph was rebuilt for a display tool, run
  // RefreshPosition before PausePlayback: the new graph starts at frame 0 and the refresh puts it
  // back at the player's position.
  void RunCommand(PlaybackCommand command);
  void OnButtonClicked(PlaybackButton button);
  // position: the slider's position at the notification, any frame of the file.
  void OnSliderNotification(SliderNotification notification, FrameNumber position);
  void OnPlayTimerTick();
  void OnDroppedFramesControlCommand();

  const PlaybackControlsState& Controls() const { return controls_; }
  const PlaybackPlayer& Player() const { return player_; }
  int LastCommand() const { return lastCommand_; }
  // Display tool toggles are refused while this holds.
  bool IsPlaying() const { return lastCommand_ == CommandNumber(PlaybackCommand::kStartPlayback); }
  bool FileOpen() const { return fileOpen_; }
  FrameNumber DisplayedPosition() const { return displayed_; }
  bool DroppedFramesControl() const { return droppedFramesControl_; }
  bool VideoHiddenAtEnd() const { return videoHiddenAtEnd_; }
  bool PlayTimerActive() const { return playTimerActive_; }

  // Enables and disables the controls for a command; exposed for the window's own handlers.
  void SetPlaybackControlButtonsState(int command, bool next, bool previous);

 private:
  void Execute(int command);
  void SetButtons(int command, bool next, bool previous);
  bool AfterStart();
  void AfterPause();
  void AfterEnd();
  bool AfterStepBack();
  bool AfterSliderCommand(PlaybackCommand command);

  void ShowFrameNumber();
  void MoveSlider(FrameNumber position) { controls_.sliderPosition = position; }
  void ShowVideoIfHidden();
  void StopPlayTimer();
  void SetControlsWidth(bool wide, bool sliderToo);
  void SetDisplayCommandsForPausedFile();
  void GreyDisplayCommands();
  void SetUpDroppedFramesControl();
  void RemoveDroppedFramesControl();
  void ApplyControls();

  PlaybackPlayer player_;
  PlaybackControlsView& view_;
  PlaybackHost& host_;
  MenuModel& menu_;
  PlaybackMenuIds ids_;
  CommonState& common_;

  PlaybackControlsState controls_;
  bool showRequested_ = false;
  bool fileOpen_ = false;
  bool captureFile_ = false;
  FrameNumber displayed_ = 0;
  FrameNumber sliderPosition_ = 0;
  int lastCommand_ = CommandNumber(PlaybackCommand::kNoFile);
  bool droppedFramesControl_ = false;
  bool videoHiddenAtEnd_ = false;
  bool wasAtEnd_ = false;
  bool playTimerActive_ = false;
};

}  // namespace zuna
