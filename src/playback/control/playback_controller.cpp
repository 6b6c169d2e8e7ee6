#include "playback/control/playback_controller.h"

#include <algorithm>

#include "common/log/user_messages_log.h"
#include "playback/control/dropped_frames_menu.h"
#include "playback/control/frame_number_line.h"
#include "playback/control/playback_buttons.h"

namespace zuna {
namespace {

using Command = PlaybackCommand;

constexpr int Number(Command c) {
  return CommandNumber(c);
}

bool IsMainWindowOnly(Command c) {
  return c == Command::kSliderForward || c == Command::kSliderBackward || c == Command::kSliderReleased ||
         c == Command::kNoFile;
}

Command ButtonCommand(PlaybackButton button) {
  switch (button) {
    case PlaybackButton::kStartPlayback:
      return Command::kStartPlayback;
    case PlaybackButton::kPause:
      return Command::kPausePlayback;
    case PlaybackButton::kBeginningOfFile:
      return Command::kBeginningOfFile;
    case PlaybackButton::kBackOneFrame:
      return Command::kBackOneFrame;
    case PlaybackButton::kForwardOneFrame:
      return Command::kForwardOneFrame;
    case PlaybackButton::kEndOfFile:
      return Command::kEndOfFile;
    case PlaybackButton::kPreviousDroppedFrame:
      return Command::kPreviousDroppedFrame;
    case PlaybackButton::kNextDroppedFrame:
      break;
  }
  return Command::kNextDroppedFrame;
}

}  // namespace

PlaybackController::PlaybackController(PlaybackGraph& graph, PlaybackControlsView& view, PlaybackHost& host,
                                       MenuModel& menu, const PlaybackMenuIds& ids, CommonState& state)
    : player_(graph, state), view_(view), host_(host), menu_(menu), ids_(ids), common_(state) {}

void PlaybackController::EnterNoFileState() {
  Execute(Number(Command::kNoFile));
  ApplyControls();
}

void PlaybackController::OpenFile(const PlaybackFileFacts& file) {
  StopPlayTimer();
  player_.Open(FrameMap(file.totalFrames, file.frameIsKey));
  fileOpen_ = true;
  captureFile_ = file.createdByCapture;
  wasAtEnd_ = false;
  menu_.Enable(ids_.close, true);
  menu_.Enable(ids_.information, true);
  SetDisplayCommandsForPausedFile();
  if (player_.Map().HasDroppedFrames()) {
    SetUpDroppedFramesControl();
  } else {
    RemoveDroppedFramesControl();
  }
  controls_.sliderMaximum = player_.LastFrame();
  displayed_ = 0;
  MoveSlider(0);
  Execute(Number(Command::kBeginningOfFile));
  host_.MenuChanged();
  ApplyControls();
}

void PlaybackController::CloseFile() {
  if (!fileOpen_) return;
  fileOpen_ = false;
  captureFile_ = false;
  wasAtEnd_ = false;
  if (host_.HasFileSource()) player_.StopGraph();
  host_.ReleaseFile();
  player_.Close();
  controls_.sliderMaximum = 0;
  RemoveDroppedFramesControl();
  menu_.Enable(ids_.close, false);
  menu_.Enable(ids_.information, false);
  GreyDisplayCommands();
  Execute(Number(Command::kNoFile));
  host_.SizeMainWindowToDisplay();
  controls_.frameNumberText = L" ";
  host_.MenuChanged();
  ApplyControls();
}

void PlaybackController::RunCommand(PlaybackCommand command) {
  Execute(Number(command));
  ApplyControls();
}

void PlaybackController::OnButtonClicked(PlaybackButton button) {
  // A click that the window should not have delivered (a disabled button) changes nothing.
  if (!fileOpen_ || !controls_.Enabled(button)) return;
  RunCommand(ButtonCommand(button));
}

void PlaybackController::OnSliderNotification(SliderNotification notification, FrameNumber position) {
  if (!fileOpen_ || player_.State() == PlayerState::kRunning) return;
  Command command = Command::kSliderReleased;
  switch (notification) {
    case SliderNotification::kLineUp:
    case SliderNotification::kPageUp:
      command = Command::kSliderBackward;
      break;
    case SliderNotification::kLineDown:
    case SliderNotification::kPageDown:
      command = Command::kSliderForward;
      break;
    case SliderNotification::kThumbPosition:
      break;
    default:
      return;  // tracking, end of tracking, top and bottom
  }
  sliderPosition_ = std::clamp<FrameNumber>(position, 0, player_.LastFrame());
  RunCommand(command);
}

void PlaybackController::OnPlayTimerTick() {
  // A tick that was already queued when the timer was deleted finds nothing to do.
  if (lastCommand_ != Number(Command::kStartPlayback) || !playTimerActive_) return;
  FrameNumber frame = displayed_;
  if (player_.ReadGraphPosition(frame)) displayed_ = frame;
  // Signed: a file of 10 frames or fewer is at its end at the first tick.
  if (displayed_ < player_.LastFrame() - 10) {
    MoveSlider(displayed_);
    ShowFrameNumber();
  } else {
    StopPlayTimer();
    Execute(Number(Command::kEndOfFile));
  }
  ApplyControls();
}

void PlaybackController::OnDroppedFramesControlCommand() {
  if (!fileOpen_ || !player_.Map().HasDroppedFrames()) return;
  droppedFramesControl_ = !droppedFramesControl_;
  menu_.Check(ids_.droppedFramesControl, droppedFramesControl_);
  SetControlsWidth(droppedFramesControl_, false);
  ShowFrameNumber();  // the label depends on the control
  host_.MenuChanged();
  ApplyControls();
}

void PlaybackController::SetPlaybackControlButtonsState(int command, bool next, bool previous) {
  SetButtons(command, next, previous);
  ApplyControls();
}

void PlaybackController::SetButtons(int command, bool next, bool previous) {
  const bool atEnd = fileOpen_ && displayed_ == player_.LastFrame();
  const std::optional<ButtonRow> row = ButtonRowFor(command, atEnd, next, previous);
  if (!row) {
    PostStampedMessage(L"Logic error: main window SetPlaybackControlButtonsState case is not handled\r\n");
    return;
  }
  ApplyButtonRow(*row, controls_);
  if (!atEnd && command == Number(Command::kNoFile)) {
    SetControlsWidth(false, false);
    showRequested_ = true;
  }
}

void PlaybackController::Execute(int command) {
  if (!fileOpen_ && command != Number(Command::kNoFile)) return;  // nothing to play
  if (!IsPlaybackCommand(command)) {
    player_.ProcessPlaybackCommand(command);  // reports the unknown number
    SetButtons(command, player_.NextDroppedExists(), player_.PreviousDroppedExists());
    return;
  }
  const auto c = static_cast<Command>(command);
  if (!IsMainWindowOnly(c)) {
    displayed_ = player_.ProcessPlaybackCommand(command);
    if (c == Command::kRefreshPosition) return;
  } else if (c == Command::kNoFile) {
    displayed_ = 0;
  }
  // The video surface stays hidden while the position is at the end (a failed step from there).
  const bool stillAtEnd = !IsMainWindowOnly(c) && displayed_ == player_.LastFrame();
  if (c != Command::kEndOfFile && !stillAtEnd) ShowVideoIfHidden();
  switch (c) {
    case Command::kStartPlayback:
      if (!AfterStart()) return;
      break;
    case Command::kPausePlayback:
      AfterPause();
      break;
    case Command::kBeginningOfFile:
      StopPlayTimer();
      MoveSlider(displayed_);
      ShowFrameNumber();
      break;
    case Command::kEndOfFile:
      AfterEnd();
      break;
    case Command::kForwardOneFrame:
    case Command::kNextDroppedFrame:
      if (displayed_ == player_.LastFrame()) {
        Execute(Number(Command::kEndOfFile));
        return;
      }
      MoveSlider(displayed_);
      ShowFrameNumber();
      break;
    case Command::kBackOneFrame:
    case Command::kPreviousDroppedFrame:
      if (!AfterStepBack()) return;
      break;
    case Command::kSliderForward:
    case Command::kSliderBackward:
    case Command::kSliderReleased:
      if (!AfterSliderCommand(c)) return;
      break;
    case Command::kNoFile:
      StopPlayTimer();
      MoveSlider(0);
      break;
    case Command::kRefreshPosition:
      break;
  }
  lastCommand_ = command;
  SetButtons(command, player_.NextDroppedExists(), player_.PreviousDroppedExists());
}

bool PlaybackController::AfterStart() {
  if (player_.State() != PlayerState::kRunning) {
    // The graph did not start: the controls stay as they were.
    SetButtons(lastCommand_, player_.NextDroppedExists(), player_.PreviousDroppedExists());
    return false;
  }
  StopPlayTimer();
  host_.StartPlayTimer();
  playTimerActive_ = true;
  GreyDisplayCommands();
  return true;
}

void PlaybackController::AfterPause() {
  StopPlayTimer();
  SetDisplayCommandsForPausedFile();
  MoveSlider(displayed_);
  ShowFrameNumber();
  host_.PostRefreshPosition();
}

void PlaybackController::AfterEnd() {
  StopPlayTimer();
  MoveSlider(player_.LastFrame());
  ShowFrameNumber();
  host_.ShowVideoSurface(false);
  videoHiddenAtEnd_ = true;
  wasAtEnd_ = true;
}

bool PlaybackController::AfterStepBack() {
  MoveSlider(displayed_);
  ShowFrameNumber();
  // The graph was stopped at the end: pause it so the frame stepped to is drawn. This holds for a
  // step that lands on frame 0 too.
  if (wasAtEnd_ && displayed_ != player_.LastFrame()) {
    wasAtEnd_ = false;
    if (player_.State() != PlayerState::kPaused) player_.PauseToShowFrame();
  }
  if (displayed_ == 0) {
    SetButtons(Number(Command::kBeginningOfFile), player_.NextDroppedExists(), player_.PreviousDroppedExists());
    return false;
  }
  return true;
}

bool PlaybackController::AfterSliderCommand(Command command) {
  displayed_ = sliderPosition_;
  if (command != Command::kSliderForward && displayed_ == 0) {
    Execute(Number(Command::kBeginningOfFile));
    return false;
  }
  if (command != Command::kSliderBackward && displayed_ == player_.LastFrame()) {
    Execute(Number(Command::kEndOfFile));
  }
  player_.SetOpenFilePosition(sliderPosition_);
  displayed_ = player_.CurrentPosition();  // after a failed seek, back where the player stayed
  MoveSlider(displayed_);
  ShowFrameNumber();
  return true;
}

void PlaybackController::ShowFrameNumber() {
  const FrameMap& map = player_.Map();
  controls_.frameNumberText = FrameNumberLineText({fileOpen_, displayed_, player_.LastFrame(), map.HasDroppedFrames(),
                                                   droppedFramesControl_, map.IsKey(displayed_)});
}

void PlaybackController::ShowVideoIfHidden() {
  if (!videoHiddenAtEnd_) return;
  host_.ShowVideoSurface(true);
  videoHiddenAtEnd_ = false;
}

void PlaybackController::StopPlayTimer() {
  if (!playTimerActive_) return;
  host_.StopPlayTimer();
  playTimerActive_ = false;
}

void PlaybackController::SetControlsWidth(bool wide, bool sliderToo) {
  controls_.windowWidth = wide ? kControlsWindowWideWidth : kControlsWindowWidth;
  controls_.windowHeight = kControlsWindowHeight;
  if (!sliderToo) return;
  controls_.sliderWidth = wide ? kSliderWideWidth : kSliderWidth;
  controls_.frameNumberWidth = controls_.sliderWidth;
}

// Pixel saturation and crosshairs apply to files of the capture program only.
void PlaybackController::SetDisplayCommandsForPausedFile() {
  const auto available = [this](DisplayTool tool) { return !common_.featureUnavailable[tool]; };
  menu_.Enable(ids_.brightnessContrast, available(kToolBrightnessContrast));
  menu_.Enable(ids_.pixelSaturation, captureFile_ && available(kToolPixelSaturation));
  menu_.Enable(ids_.crosshairs, captureFile_ && available(kToolCrosshairs));
  host_.MenuChanged();
}

void PlaybackController::GreyDisplayCommands() {
  menu_.Enable(ids_.brightnessContrast, false);
  menu_.Enable(ids_.pixelSaturation, false);
  menu_.Enable(ids_.crosshairs, false);
  host_.MenuChanged();
}

void PlaybackController::SetUpDroppedFramesControl() {
  AddDroppedFramesControlItem(menu_, ids_.droppedFramesControl);
  menu_.Enable(ids_.droppedFramesControl, true);
  menu_.Check(ids_.droppedFramesControl, true);
  droppedFramesControl_ = true;
  SetControlsWidth(true, true);
  showRequested_ = true;
}

void PlaybackController::RemoveDroppedFramesControl() {
  menu_.Enable(ids_.droppedFramesControl, false);
  menu_.Check(ids_.droppedFramesControl, false);
  RemoveDroppedFramesControlItem(menu_, ids_.droppedFramesControl);
  droppedFramesControl_ = false;
  SetControlsWidth(false, true);
}

void PlaybackController::ApplyControls() {
  view_.Apply(controls_);
  if (!showRequested_) return;
  showRequested_ = false;
  view_.ShowWindow();
}

}  // namespace zuna
