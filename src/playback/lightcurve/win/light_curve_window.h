#pragma once
// The playback program's "Light Curve" window over its controller: the controls, the progress bar,
// the plot, the measurement's own thread, the stars drawn on the video, the clipboard and the save
// dialog. Created hidden at start-up; the close box closes it.
#include <windows.h>

#include <functional>
#include <memory>
#include <thread>

#include "common/windows/win/dialog_window.h"
#include "common/windows/win/win_file_picker.h"
#include "playback/lightcurve/light_curve_controller.h"
#include "playback/lightcurve/win/light_curve_plot_window.h"
#include "video/player/video_overlay.h"

namespace zuna {

class CommonWindows;

// The measurement on a thread of its own.
class ThreadWork final : public LightCurveWork {
 public:
  ~ThreadWork() override { Wait(); }
  void Start(std::function<void()> work) override;
  void Wait() override;

 private:
  std::thread thread_;
};

class LightCurveWindow final : public LightCurveView {
 public:
  struct Hooks {
    std::function<void(bool)> checkMenuItem;
    std::function<void(std::uint32_t frame)> goToFrame;
    std::function<void()> repaintVideo;  // the stars' marks changed
  };

  // Creates the hidden window; false (reported) when it could not be made.
  bool Create(CommonWindows& common, HINSTANCE instance, VideoOverlay& overlay);
  void Connect(HWND mainWindow, Hooks hooks);
  HWND Window() const { return window_.Window(); }
  LightCurveController* Controller() { return controller_.get(); }

 private:
  // LightCurveView
  void SetProgress(std::uint32_t done, std::uint32_t total) override;
  void StartPolling() override;
  void StopPolling() override;
  void ShowPlot(const LightCurvePlot* plot) override { plot_.Show(plot); }
  void ShowMarkers(const std::vector<StarMarker>& markers) override;
  void CopyText(const std::wstring& text) override;
  std::optional<std::wstring> ChooseCsvFile(const std::wstring& suggested) override;

  void AddControls(HINSTANCE instance);

  CommonWindows* common_ = nullptr;
  HWND mainWindow_ = nullptr;
  VideoOverlay* overlay_ = nullptr;
  DialogWindow window_;
  HWND progress_ = nullptr;
  LightCurvePlotWindow plot_;
  WinFilePicker picker_;
  Hooks hooks_;
  ThreadWork work_;  // before the controller, which waits for it when it goes
  std::unique_ptr<LightCurveController> controller_;
};

}  // namespace zuna
