#include "playback/main/playback_program.h"

#include "common/display_tools/magnify_controller.h"
#include "common/log/user_messages_log.h"

namespace zuna {

bool CommonPlaybackState::ToolUnavailable(int tool) const {
  return tool >= 0 && tool < 4 && state_.featureUnavailable[static_cast<std::size_t>(tool)];
}

void CommonPlaybackState::ChooseMagnifyForDisplay() {
  DisplayGeometry& geometry = state_.geometry;
  const VideoSize video = geometry.Video();
  const VideoSize display = geometry.Display();
  geometry.NameMagnifyChoice(MagnifyChoiceForDisplay(video.width, video.height, display.width, display.height));
}

bool PlaybackProgram::Start(PlaybackStartup& steps) {
  steps.RegisterOptions();
  steps.LoadControlIcons();
  steps.CreateHelpWindows();
  steps.TakeMessageIdentifiers();
  steps.CreateArrowFont();
  if (!steps.CreateMainWindow() || !steps.CreateVideoSurface()) return false;
  steps.SizeMainWindowToDisplay();
  if (!steps.CreateOptionsWindow() || !steps.CreateControlsWindow()) return false;
  steps.CreateDisplayTools();
  lightCurveWindow_ = steps.CreateLightCurveWindow();
  steps.RegisterPlacements();
  steps.ReadOptions();
  steps.ApplyIconsAndReportTimeZone();
  steps.ChoosePictureRenderer();
  steps.PlaceAndShowWindows();
  TakeMenuIds([&steps] { return steps.NextIdentifier(); });
  BuildMenu(steps.DisplayTools());
  steps.ConnectOptionsWindow();
  steps.CreatePlaybackControl();
  steps.InstallProgramCallbacks();
  steps.CreateProgramFolders();
  steps.FlushPendingMessages();
  return true;
}

void PlaybackProgram::TakeMenuIds(const std::function<unsigned()>& nextIdentifier) {
  ids_ = TakePlaybackMenuIds(nextIdentifier);
}

void PlaybackProgram::BuildMenu(const DisplayToolSwitch* tools) {
  PlaybackMenuState s;
  s.fileOpening = true;
  s.optionsFileWriter = true;
  s.optionsWindow = true;
  s.lightCurveWindow = lightCurveWindow_;
  for (int tool = 0; tool < 4; ++tool) {
    s.toolWindowExists[tool] = tools != nullptr && tools->Exists(tool);
    s.toolUnavailable[tool] = state_.ToolUnavailable(tool);
  }
  menu_ = BuildPlaybackMenu(ids_, s);
  view_.ApplyMenu(menu_);
}

void PlaybackProgram::SetOptionsWindowShown(bool shown) {
  menu_.Check(ids_.miscellaneous, shown);
  view_.ApplyMenu(menu_);
}

void PlaybackProgram::SetLightCurveWindowShown(bool shown) {
  menu_.Check(ids_.lightCurve, shown);
  view_.ApplyMenu(menu_);
}

void PlaybackProgram::Attach(PlaybackController* controller, PlaybackFileCommands* files, DisplayToolSwitch* tools) {
  controller_ = controller;
  files_ = files;
  tools_ = tools;
}

void PlaybackProgram::OnMenuCommand(unsigned id) {
  if (id == ids_.open) {
    Open([this] { files_->Open(); });
  } else if (id == ids_.close) {
    if (files_ != nullptr) files_->Close();
    view_.FileChanged();
  } else if (id == ids_.information) {
    if (files_ != nullptr) files_->Information();
  } else if (id == ids_.exit) {
    Exit();
  } else if (id == ids_.droppedFramesControl) {
    if (controller_ != nullptr) controller_->OnDroppedFramesControlCommand();
  } else if (id == ids_.saveWindowPositions) {
    view_.SaveWindowPositions();
  } else if (id == ids_.miscellaneous) {
    view_.ToggleOptionsWindow();
  } else if (id == ids_.lightCurve) {
    view_.ToggleLightCurveWindow();
  } else if (id == ids_.magnify) {
    ToggleDisplayTool(kToolMagnify);
  } else if (id == ids_.brightnessContrast) {
    ToggleDisplayTool(kToolBrightnessContrast);
  } else if (id == ids_.pixelSaturation) {
    ToggleDisplayTool(kToolPixelSaturation);
  } else if (id == ids_.crosshairs) {
    ToggleDisplayTool(kToolCrosshairs);
  } else if (id == ids_.playbackOverview) {
    view_.ToggleHelp(HelpPage::kVideoPlayback);
  } else if (id == ids_.versionHistory) {
    view_.ToggleHelp(HelpPage::kPlaybackVersionHistory);
  }
}

void PlaybackProgram::RunCommand(PlaybackCommand command) {
  if (controller_ != nullptr) controller_->RunCommand(command);
}

void PlaybackProgram::OpenFileNamed(const std::wstring& path) {
  Open([this, &path] { files_->OpenNamed(path); });
}

// A new file is fitted to the screen afresh: the magnifier closes, and shows the fitted size as its
// choice when it opens again.
void PlaybackProgram::Open(const std::function<void()>& open) {
  if (files_ == nullptr) return;
  if (tools_ != nullptr) tools_->Close(kToolMagnify);
  open();
  if (FileOpen()) state_.ChooseMagnifyForDisplay();
  view_.FileChanged();
}

void PlaybackProgram::Exit() {
  if (controller_ != nullptr) controller_->CloseFile();
  state_.RequestExit();
  view_.DestroyMainWindow();
}

void PlaybackProgram::ToggleDisplayTool(int tool) {
  if (tool != kToolMagnify && controller_ != nullptr && controller_->IsPlaying()) {
    PostStampedMessage(L"Logic error: attempt to add display control when media is running\r\n");
    return;
  }
  if (tools_ != nullptr) tools_->Toggle(tool);
}

Status PlaybackProgram::OnDisplayToolChanged(int tool, bool shown) {
  Status result = kInvalidArg;
  if (tool >= 0 && tool < 4) {
    const unsigned toolIds[] = {ids_.magnify, ids_.brightnessContrast, ids_.pixelSaturation, ids_.crosshairs};
    menu_.Check(toolIds[tool], shown);
    view_.ApplyMenu(menu_);
    // The graph is built again so that the shown tools' filters go in and the hidden ones come out.
    result = files_ != nullptr ? files_->RebuildGraphWithSameSourceFile() : kOk;
  }
  // The rebuilt graph starts at frame 0: the refresh puts it back at the player's position, paused.
  if (FileOpen()) {
    controller_->RunCommand(PlaybackCommand::kRefreshPosition);
    controller_->RunCommand(PlaybackCommand::kPausePlayback);
  }
  return result;
}

Status PlaybackProgram::RefreshPausedPicture() {
  if (!FileOpen() || state_.GraphRunning()) return kOk;
  return view_.RedrawPausedFrame();
}

void PlaybackProgram::OnVideoSizeChanged() {
  if (state_.MagnifyChangeInProgress()) view_.FitToMagnifiedDisplay();
}

void PlaybackProgram::OnMainWindowSized() {
  if (FileOpen() && !state_.MagnifyChangeInProgress()) view_.KeepMainWindowInView();
}

bool PlaybackProgram::VideoNeedsRepaint() const {
  return controller_ != nullptr && controller_->FileOpen() &&
         controller_->DisplayedPosition() < controller_->Player().LastFrame();
}

void PlaybackProgram::OnVideoUncovered() {
  if (VideoNeedsRepaint()) view_.RepaintVideo();
}

}  // namespace zuna
