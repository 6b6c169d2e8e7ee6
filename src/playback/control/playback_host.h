#pragma once
// What the playback main window does for the playback controller outside the controls window.
// All calls come on the main thread.

namespace zuna {

class PlaybackHost {
 public:
  virtual ~PlaybackHost() = default;

  virtual void ShowVideoSurface(bool show) = 0;
  // One play timer at a time: first tick after 1000 ms, then every 1000 ms. Each tick is posted to
  // the main window, whose handler calls PlaybackController::OnPlayTimerTick.
  virtual void StartPlayTimer() = 0;
  virtual void StopPlayTimer() = 0;
  // Posts the refresh-position message; its handler runs the RefreshPosition command, so the
  // paused frame is drawn once the pause has taken effect.
  virtual void PostRefreshPosition() = 0;

  virtual bool HasFileSource() const = 0;
  // Removes the filters, resets the parser's counts, the video and display sizes and the file path,
  // and closes the brightness/contrast, pixel saturation and crosshairs tools.
  virtual void ReleaseFile() = 0;
  virtual void SizeMainWindowToDisplay() = 0;
  // The menu model changed: mirror it into the real menu.
  virtual void MenuChanged() = 0;
};

}  // namespace zuna
