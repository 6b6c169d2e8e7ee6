// The capture main window's answer to a new video size: a new device format, or the magnifier's
// choice of display size.
#include "capture/main/win/main_window_vc.h"

#include "common/display_tools/magnify_controller.h"
#include "common/foundation/win/program_main_window.h"
#include "common/windows/win/track_window_move.h"
#include "common/windows/win/win_util.h"

namespace zuna {

void MainWindowVC::OnVideoSizeChanged() {
  CommonState& state = common_.State();
  if (state.magnifyChangeInProgress) {
    FitToMagnifiedDisplay();
    return;
  }
  const VideoFormat* format = devices_.CurrentFormat();
  if (format == nullptr) return;
  // The window moves below are the program's own, not the user's.
  MenuCommandScope refit(state);
  // The magnifier's choices were for the old size.
  if (tools_ && tools_->IsOpen(kToolMagnify)) tools_->Close(kToolMagnify);
  state.videoWidth = format->width;
  state.videoHeight = format->height;
  const SIZE frame = FrameExtra(mainWindow_);
  ShowVideoAtStep(ReducedMagnifyChoice(state.videoWidth, state.videoHeight,
                                       state.workArea.Width() - static_cast<int>(frame.cx),
                                       state.workArea.Height() - static_cast<int>(frame.cy)));
  SizeMainWindowToDisplay(common_.Common(), mainWindow_, clippingWindow_);
  if (player_ != nullptr && Failed(player_->UpdateDisplaySize())) {
    PostUserMessage(L"SEVERE: failure to set EVR window size\r\n", true);
    PostUserMessage(L"INFO: cannot set rendering window size\r\n", true);
  }
  common_.PlaceMainWindow(mainWindow_);
  if (!state.skipVideoSizeRestart) RestartCamera();
  recordControls_.Show();
}

// A format larger than the screen that was saved, or came with a device chosen in the device
// selection, is shown at a reduced step as one chosen in the device properties window is; the
// running graph only needs its new display size.
void MainWindowVC::FitOversizedVideo() {
  CommonState& state = common_.State();
  const SIZE frame = FrameExtra(mainWindow_);
  if (ReducedMagnifyChoice(state.videoWidth, state.videoHeight, state.workArea.Width() - static_cast<int>(frame.cx),
                           state.workArea.Height() - static_cast<int>(frame.cy)) == kMagnifyNone) {
    return;
  }
  state.skipVideoSizeRestart = true;
  OnVideoSizeChanged();
  state.skipVideoSizeRestart = false;
}

// A reduced step goes through the magnifier, so that its window shows the step when opened.
void MainWindowVC::ShowVideoAtStep(int choice) {
  CommonState& state = common_.State();
  if (choice != kMagnifyNone && tools_ && tools_->Exists(kToolMagnify)) {
    tools_->Magnify(choice);
    return;
  }
  const DisplaySize size = MagnifiedSize(state.videoWidth, state.videoHeight, choice);
  state.magnifyChoice = choice;
  state.displayWidth = size.width;
  state.displayHeight = size.height;
}

}  // namespace zuna
