#include "playback/lightcurve/light_curve_controller.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/fake_window_view.h"
#include "support/memory_log.h"
#include "support/star_field_avi.h"
#include "support/temp_folder.h"
#include "video/avi_writer/avi_writer.h"

namespace zuna {
namespace {

using Controller = LightCurveController;

// The measurement waits until the test lets it run, on the test's thread.
class ManualWork final : public LightCurveWork {
 public:
  void Start(std::function<void()> work) override { pending = std::move(work); }
  void Wait() override { RunNow(); }
  void RunNow() {
    if (pending) std::exchange(pending, nullptr)();
  }
  std::function<void()> pending;
};

class RecordingView final : public LightCurveView {
 public:
  void SetProgress(std::uint32_t d, std::uint32_t t) override { done = d, total = t; }
  void StartPolling() override { polling = true; }
  void StopPolling() override { polling = false; }
  void ShowPlot(const LightCurvePlot* p) override { plot = p != nullptr ? std::optional(*p) : std::nullopt; }
  void ShowMarkers(const std::vector<StarMarker>& m) override { markers = m; }
  void CopyText(const std::wstring& text) override { copied = text; }
  std::optional<std::wstring> ChooseCsvFile(const std::wstring& suggested) override {
    offered = suggested;
    return chosen;
  }
  std::uint32_t done = 0, total = 0;
  bool polling = false;
  std::optional<LightCurvePlot> plot;
  std::vector<StarMarker> markers;
  std::wstring copied, offered;
  std::optional<std::wstring> chosen;
};

struct Window {
  Window()
      : controller(controls, view, work, "test",
                   {[this](bool on) { menuChecked = on; }, [this](std::uint32_t f) { shownFrame = f; }}) {}
  std::wstring Status() const { return controls.Text(Controller::kStatus); }
  bool Enabled(int id) const { return controls.IsEnabled(id); }
  void OpenOn(const std::filesystem::path& file) {
    controller.Toggle();
    controller.OnFileChanged(file);
  }
  void Measure() {
    controller.OnClicked(Controller::kMeasure);
    work.RunNow();
    controller.OnPoll();
  }

  test::ScopedMemoryLog log;
  test::FakeWindowView controls;
  RecordingView view;
  ManualWork work;
  bool menuChecked = false;
  std::optional<std::uint32_t> shownFrame;
  Controller controller;
};

std::filesystem::path WriteField(const test::TempFolder& folder) {
  const test::StarField f = test::StandardField();
  test::WriteStarField(f, folder / "event.avi");
  return folder / "event.avi";
}

// The observer's whole path: stars clicked on a later frame, a miss, Measure, the results shown,
// posted and saved, and a click on the plot showing that frame.
TEST(LightCurveController, MeasuresTheClickedStarsAndShowsWhereTheStarVanished) {
  const test::TempFolder folder;
  const test::StarField f = test::StandardField();
  Window w;
  w.OpenOn(WriteField(folder));
  EXPECT_TRUE(w.menuChecked);
  EXPECT_FALSE(w.Enabled(Controller::kMeasure));

  w.controller.OnVideoClick({130, 100}, 20);
  EXPECT_NE(w.Status().find(L"Target not picked: no star near 130, 100"), std::wstring::npos) << w.Status();
  EXPECT_FALSE(w.Enabled(Controller::kMeasure));

  w.controller.OnVideoClick({f.X(f.stars[0], 20) + 3, f.Y(f.stars[0], 20) - 2}, 20);  // near, not on it
  EXPECT_TRUE(w.controls.IsChecked(Controller::kPickTrack1));
  w.controller.OnVideoClick({f.X(f.stars[1], 20), f.Y(f.stars[1], 20)}, 20);
  ASSERT_EQ(w.view.markers.size(), 2u);
  EXPECT_NEAR(w.view.markers[0].centre.x, f.X(f.stars[0], 20), 0.3);
  EXPECT_EQ(w.view.markers[1].role, StarRole::kTrack1);
  EXPECT_TRUE(w.Enabled(Controller::kMeasure));

  w.controller.OnClicked(Controller::kMeasure);
  EXPECT_TRUE(w.view.polling);
  EXPECT_FALSE(w.Enabled(Controller::kMeasure));
  EXPECT_TRUE(w.Enabled(Controller::kCancel));
  w.controller.OnVideoClick({10, 10}, 20);  // no picking while measuring
  EXPECT_EQ(w.view.markers.size(), 2u);
  w.work.RunNow();
  w.controller.OnPoll();
  EXPECT_FALSE(w.view.polling);
  ASSERT_TRUE(w.controller.Report().has_value()) << w.Status();
  const EdgeFitResult& fit = w.controller.Report()->fit;
  ASSERT_TRUE(fit.event && fit.d && fit.r);
  EXPECT_NEAR(fit.d->position, f.d, 0.1);
  EXPECT_NEAR(fit.r->position, f.r, 0.1);
  const std::wstring results = w.controls.Text(Controller::kResults);
  EXPECT_EQ(results.find(L"Event: yes"), 0u);
  EXPECT_NE(results.find(L"\r\nD: frame 40."), std::wstring::npos) << results;
  EXPECT_NE(results.find(L"relative"), std::wstring::npos) << "a file without a log says its times are relative";
  EXPECT_NE(w.log.Text().find(L"Light curve of "), std::wstring::npos);
  EXPECT_NE(w.log.Text().find(L"\r\nD: frame 40."), std::wstring::npos);
  ASSERT_TRUE(w.view.plot.has_value());
  EXPECT_EQ(w.view.plot->points.size(), 100u);

  // The plot's point under a click moves the video there.
  const PlotScale scale(*w.view.plot, {40, 10, 640, 210});
  w.controller.OnPlotClick(scale.NearestPoint(scale.X(w.view.plot->points[55].time) + 1));
  EXPECT_EQ(w.shownFrame, 55u);

  w.view.chosen = (folder / "curve.csv").wstring();
  w.controller.OnClicked(Controller::kSaveCsv);
  EXPECT_EQ(w.view.offered, (folder / "event.lightcurve.csv").wstring());
  std::ifstream csv(folder / "curve.csv");
  std::stringstream text;
  text << csv.rdbuf();
  EXPECT_EQ(text.str().rfind("# ZUNA Video light curve test\r\n", 0), 0u);
  EXPECT_NE(text.str().find("# D: frame 40."), std::string::npos);
  w.controller.OnClicked(Controller::kCopyResults);
  EXPECT_EQ(w.view.copied.rfind(L"File: ", 0), 0u);

  // Another file: the stars and results were the old one's.
  w.controller.OnFileChanged(std::nullopt);
  EXPECT_FALSE(w.controller.Report().has_value());
  EXPECT_TRUE(w.view.markers.empty());
  EXPECT_FALSE(w.Enabled(Controller::kSaveCsv));
}

TEST(LightCurveController, CancelLeavesNothingMeasuredOrSaved) {
  const test::TempFolder folder;
  const test::StarField f = test::StandardField();
  Window w;
  w.OpenOn(WriteField(folder));
  w.controller.OnVideoClick({f.X(f.stars[0], 0), f.Y(f.stars[0], 0)}, 0);
  w.controller.OnClicked(Controller::kMeasure);
  w.controller.OnClicked(Controller::kCancel);
  w.work.RunNow();
  w.controller.OnPoll();
  EXPECT_EQ(w.Status(), L"Measuring cancelled: nothing was measured or saved.");
  EXPECT_FALSE(w.controller.Report().has_value());
  EXPECT_FALSE(w.Enabled(Controller::kSaveCsv));
  EXPECT_TRUE(w.Enabled(Controller::kMeasure));
  EXPECT_EQ(w.log.Text().find(L"Light curve of"), std::wstring::npos);
}

TEST(LightCurveController, SaysWhyAFileCannotBeMeasured) {
  const test::TempFolder folder;
  {
    AviWriter writer;
    ASSERT_EQ(writer.Open(folder / "lags.avi", AviVideoFormat::Compressed(FourCc("LAGS"), 24, 160, 120, 25, 1)), kOk);
    ASSERT_EQ(writer.WriteFrame(std::vector<std::uint8_t>(100, 1), 0, true), kOk);
    ASSERT_EQ(writer.Close(), kOk);
  }
  Window w;
  w.OpenOn(folder / "lags.avi");
  w.controller.OnVideoClick({50, 50}, 0);
  EXPECT_EQ(w.Status(), L"Target not picked: the video is compressed (LAGS); only uncompressed video can be measured.");
  EXPECT_FALSE(w.Enabled(Controller::kMeasure));
}

// Stars clicked on another frame start a new choice: every star is measured from the same frame.
TEST(LightCurveController, KeepsTheStarsOfOneFrame) {
  const test::TempFolder folder;
  const test::StarField f = test::StandardField();
  Window w;
  w.OpenOn(WriteField(folder));
  w.controller.OnVideoClick({f.X(f.stars[0], 0), f.Y(f.stars[0], 0)}, 0);
  w.controller.OnVideoClick({f.X(f.stars[1], 0), f.Y(f.stars[1], 0)}, 0);
  w.controller.OnVideoClick({f.X(f.stars[2], 90), f.Y(f.stars[2], 90)}, 90);
  EXPECT_NE(w.Status().find(L"those of frame 0 were cleared"), std::wstring::npos) << w.Status();
  ASSERT_EQ(w.view.markers.size(), 1u);
  EXPECT_FALSE(w.Enabled(Controller::kMeasure)) << "no target on frame 90 yet";
}

}  // namespace
}  // namespace zuna
