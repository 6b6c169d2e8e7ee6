#pragma once
// The "Light Curve" window of the playback program: the observer picks the target star (and up to
// two tracking stars and a comparison star) by clicking them on the video, chooses frames or
// fields and presses Measure; the file is measured away from the main thread with a progress bar
// and Cancel; then the plot, D and R with their intervals in UTC, the DNR and the event decision,
// "Save CSV...", "Copy Results", and the results in the User Messages log. A click on the plot
// shows that frame. Main thread only, but for the measurement's own work.
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/windows/toggled_window.h"
#include "common/windows/window_view.h"
#include "lightcurve/report/light_curve_report.h"
#include "playback/lightcurve/light_curve_plot.h"

namespace zuna {

enum class StarRole { kTarget, kTrack1, kTrack2, kComparison };

// A picked star as the video shows it: its aperture and background annulus.
struct StarMarker {
  StarRole role = StarRole::kTarget;
  PlanePoint centre;
  ApertureGeometry aperture;
};

// Runs the measurement away from the main thread, one piece of work at a time.
class LightCurveWork {
 public:
  virtual ~LightCurveWork() = default;
  virtual void Start(std::function<void()> work) = 0;
  // Returns once the work started last has ended (at once when there is none).
  virtual void Wait() = 0;
};

// What the controller needs of its window beyond the controls.
class LightCurveView {
 public:
  virtual ~LightCurveView() = default;
  virtual void SetProgress(std::uint32_t done, std::uint32_t total) = 0;
  // While measuring the window calls OnPoll now and then.
  virtual void StartPolling() = 0;
  virtual void StopPolling() = 0;
  // Null: an empty plot.
  virtual void ShowPlot(const LightCurvePlot* plot) = 0;
  // The stars drawn on the video.
  virtual void ShowMarkers(const std::vector<StarMarker>& markers) = 0;
  virtual void CopyText(const std::wstring& text) = 0;
  // The file to save the CSV in; nothing when the observer cancelled.
  virtual std::optional<std::wstring> ChooseCsvFile(const std::wstring& suggested) = 0;
};

class LightCurveController final : public ToggledWindow {
 public:
  // Ids clear of the dialog box's own (IDOK, IDCANCEL) and its help button's.
  enum Control {
    kStatus = 101,
    kPickTarget,
    kPickTrack1,
    kPickTrack2,
    kPickComparison,
    kStars,
    kClearStars,
    kFrames,
    kTopFirst,
    kBottomFirst,
    kMeasure,
    kCancel,
    kResults,
    kSaveCsv,
    kCopyResults,
    kHelpButton,
  };

  struct Hooks {
    std::function<void(bool)> checkMenuItem;
    std::function<void(std::uint32_t frame)> goToFrame;
  };

  LightCurveController(WindowView& controls, LightCurveView& view, LightCurveWork& work, std::string version,
                       Hooks hooks);
  // A measurement under way is cancelled and waited for.
  ~LightCurveController() override;

  void Open() override;
  // A file was opened (its path) or closed (nothing): the stars and results belong to the old one.
  void OnFileChanged(std::optional<std::filesystem::path> file);
  // The stars are picked while the window is open on a file and nothing is being measured.
  bool PickingStars() const;
  // A click on the video at pixel `click` of the picture as shown, on frame `frame`.
  void OnVideoClick(PlanePoint click, std::uint32_t frame);
  void OnClicked(int control);
  // The window's poll while measuring: the progress, then the results once the work has ended.
  void OnPoll();
  // A click on the plot: the point under it, as the plot's scale found it.
  void OnPlotClick(const std::optional<PlotPoint>& point);
  // The close box.
  void OnClose() { Dismiss(); }

  bool Measuring() const { return measuring_; }
  const std::optional<LightCurveReport>& Report() const { return report_; }

 private:
  void Dismiss() override;
  void OnPick(StarRole role);
  void ClearStars();
  void Measure();
  void Cancel();
  void Finish();
  void ShowReport();
  void SaveCsv();
  void CopyResults();
  void PostResults() const;
  void ClearResults();
  void ApplyControls();
  void ShowStars();
  void Say(const std::string& text);
  StarRole ChosenRole() const;
  FieldOrder ChosenFields() const;
  std::vector<std::string> ShownResultLines() const;

  WindowView& controls_;
  LightCurveView& view_;
  LightCurveWork& work_;
  std::string version_;
  Hooks hooks_;

  std::optional<std::filesystem::path> file_;
  std::optional<std::uint32_t> starFrame_;  // the frame the stars were picked on
  std::optional<StarFix> stars_[4];         // by StarRole
  std::optional<LightCurveReport> report_;
  std::optional<LightCurvePlot> plot_;

  // The measurement: the main thread starts it and reads its outcome once `done_` holds.
  bool measuring_ = false;
  std::atomic<bool> cancel_{false};
  std::atomic<bool> done_{false};
  std::atomic<std::uint32_t> progressDone_{0};
  std::atomic<std::uint32_t> progressTotal_{0};
  LightCurveRequest request_;
  LightCurveReport result_;
  Status resultStatus_ = kFail;
  std::string resultProblem_;
};

// UTF-8 text for the window.
std::wstring WideFromUtf8(std::string_view text);

}  // namespace zuna
