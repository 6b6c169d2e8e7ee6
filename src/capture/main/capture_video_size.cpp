// The capture program's answer to a new video size: a new device format, or the magnifier's choice
// of display size.
#include "capture/main/capture_program.h"

#include "common/foundation/menu_command_scope.h"
#include "common/log/user_messages_log.h"

namespace zuna {

void CaptureProgram::OnVideoSizeChanged(CameraRestart restart) {
  CommonState& state = p_.common.State();
  if (state.magnifyChangeInProgress) {
    FitToMagnifiedDisplay();
    return;
  }
  const VideoFormat* format = devices_.CurrentFormat();
  if (format == nullptr) return;
  // The window moves below are the program's own, not the user's.
  MenuCommandScope refit(state);
  // The magnifier's choices were for the old size.
  windows_.CloseDisplayTool(kToolMagnify);
  state.geometry.SetVideo({format->width, format->height});
  ShowVideoAtStep(StepForRoom());
  view_.FitToDisplay();
  if (player_ != nullptr && Failed(player_->UpdateDisplaySize())) {
    PostStampedMessage(L"SEVERE: failure to set EVR window size\\r\\n");
    PostStampedMessage(L"INFO: cannot set rendering window size\\r\\n");
  }
  view_.PlaceMainWindow();
  if (restart == CameraRestart::kRestart) RestartCamera();
  windows_.ShowRecordControls(true);
}

// The magnifier step that fits the video into the room the screen leaves it.
int CaptureProgram::StepForRoom() const {
  const VideoSize video = p_.common.State().geometry.Video();
  const DisplaySize room = view_.VideoRoom();
  return ReducedMagnifyChoice(video.width, video.height, room.width, room.height);
}

// A format larger than the screen that was saved, or came with a device chosen in the device
// selection, is shown at a reduced step as one chosen in the device properties window is; the
// running graph only needs its new display size.
void CaptureProgram::FitOversizedVideo() {
  if (StepForRoom() == kMagnifyNone) return;
  OnVideoSizeChanged(CameraRestart::kSkip);
}

// A reduced step goes through the magnifier, so that its window shows the step when opened.
void CaptureProgram::ShowVideoAtStep(int choice) {
  if (choice != kMagnifyNone && windows_.Magnify(choice)) return;
  DisplayGeometry& geometry = p_.common.State().geometry;
  const DisplaySize size = MagnifiedSize(geometry.Video().width, geometry.Video().height, choice);
  geometry.Magnify(choice, {size.width, size.height});
}

// The magnifier chose a size: the window, the clipping window and the renderer follow it.
void CaptureProgram::FitToMagnifiedDisplay() {
  view_.FitToDisplay();
  if (player_ != nullptr) player_->UpdateDisplaySize();
}

}  // namespace zuna
