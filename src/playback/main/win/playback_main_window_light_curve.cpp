// The main window's part in the "Light Curve" window: its menu item, the file it measures, the
// frame a click on its plot shows, and the clicks on the video that pick its stars.
#include "playback/main/win/playback_main_window.h"

namespace zuna {

void PlaybackMainWindow::ConnectLightCurve() {
  if (lightCurve_.Window() == nullptr) return;
  LightCurveWindow::Hooks hooks;
  hooks.checkMenuItem = [this](bool on) { program_.SetLightCurveWindowShown(on); };
  hooks.goToFrame = [this](std::uint32_t frame) {
    controller_->OnSliderNotification(SliderNotification::kThumbPosition, frame);
  };
  hooks.repaintVideo = [this] {
    if (controller_->FileOpen() && !controller_->VideoHiddenAtEnd()) player_.RepaintVideo();
  };
  lightCurve_.Connect(mainWindow_, std::move(hooks));
  // Stars are picked on a paused frame on show.
  videoWindow_.SetClickHandler(
      [this] {
        const LightCurveController* lc = lightCurve_.Controller();
        return lc != nullptr && lc->PickingStars() && controller_->FileOpen() && !controller_->IsPlaying() &&
               !controller_->VideoHiddenAtEnd();
      },
      [this](int x, int y) { OnVideoClick(x, y); });
}

// The window shows the picture at the display size: the click is turned into the picture's pixels.
void PlaybackMainWindow::OnVideoClick(int x, int y) {
  const std::optional<PicturePoint> point = common_.State().geometry.PictureAt(x, y);
  if (!point) return;
  lightCurve_.Controller()->OnVideoClick({point->x, point->y},
                                         static_cast<std::uint32_t>(controller_->DisplayedPosition()));
}

void PlaybackMainWindow::ToggleLightCurveWindow() {
  if (LightCurveController* lc = lightCurve_.Controller()) lc->Toggle();
}

void PlaybackMainWindow::FileChanged() {
  LightCurveController* lc = lightCurve_.Controller();
  if (lc == nullptr || files_ == nullptr) return;
  lc->OnFileChanged(files_->IsOpen() ? std::optional<std::filesystem::path>(files_->Path()) : std::nullopt);
}

}  // namespace zuna
