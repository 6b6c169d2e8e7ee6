#include "playback/main/playback_program.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../control/playback_fakes.h"
#include "common/display_tools/magnify_controller.h"
#include "support/memory_log.h"

namespace zuna {
namespace {

using test::CountOf;
using test::FakePlaybackGraph;
using test::FakePlaybackHost;
using test::FileWithDropped;
using test::RecordingControlsView;
using test::ScopedMemoryLog;

// Records the steps in their order; the step named in `failAt` fails.
class RecordingStartup final : public PlaybackStartup {
 public:
  explicit RecordingStartup(const DisplayToolSwitch* tools) : tools_(tools) {}
  void RegisterOptions() override { Did("options"); }
  void LoadControlIcons() override { Did("icons"); }
  void CreateHelpWindows() override { Did("help"); }
  void TakeMessageIdentifiers() override { Did("identifiers"); }
  void CreateArrowFont() override { Did("font"); }
  bool CreateMainWindow() override { return Did("main window"); }
  bool CreateVideoSurface() override { return Did("video surface"); }
  void SizeMainWindowToDisplay() override { Did("size"); }
  bool CreateOptionsWindow() override { return Did("options window"); }
  bool CreateControlsWindow() override { return Did("controls window"); }
  void CreateDisplayTools() override { Did("tools"); }
  bool CreateLightCurveWindow() override { return Did("light curve"); }
  void RegisterPlacements() override { Did("placements"); }
  void ReadOptions() override { Did("read options"); }
  void ApplyIconsAndReportTimeZone() override { Did("time zone"); }
  void ChoosePictureRenderer() override { Did("renderer"); }
  void PlaceAndShowWindows() override { Did("place"); }
  unsigned NextIdentifier() override { return next++; }
  const DisplayToolSwitch* DisplayTools() const override { return tools_; }
  void ConnectOptionsWindow() override { Did("connect"); }
  void CreatePlaybackControl() override { Did("control"); }
  void InstallProgramCallbacks() override { Did("callbacks"); }
  void CreateProgramFolders() override { Did("folders"); }
  void FlushPendingMessages() override { Did("flush"); }

  std::string failAt;
  std::vector<std::string> done;
  unsigned next = 500;

 private:
  bool Did(const std::string& step) {
    done.push_back(step);
    return step != failAt;
  }
  const DisplayToolSwitch* tools_;
};

class FakeView final : public PlaybackProgramView {
 public:
  void ApplyMenu(const MenuModel& menu) override { applied = menu; }
  void RepaintVideo() override { ++repaints; }
  Status RedrawPausedFrame() override { return ++redraws, kOk; }
  void FitToMagnifiedDisplay() override { ++magnifiedFits; }
  void KeepMainWindowInView() override { ++keptInView; }
  void ToggleHelp(HelpPage page) override { helpPages.push_back(HelpNumber(page)); }
  void ToggleOptionsWindow() override { ++optionsToggles; }
  void ToggleLightCurveWindow() override { ++lightCurveToggles; }
  void FileChanged() override { ++fileChanges; }
  void SaveWindowPositions() override { ++positionSaves; }
  void DestroyMainWindow() override { destroyed = true; }

  MenuModel applied;
  int repaints = 0, redraws = 0, magnifiedFits = 0, keptInView = 0, optionsToggles = 0, positionSaves = 0,
      lightCurveToggles = 0, fileChanges = 0;
  std::vector<int> helpPages;
  bool destroyed = false;
};

class FakeTools final : public DisplayToolSwitch {
 public:
  bool Exists(int tool) const override { return exists[tool]; }
  Status Toggle(int tool) override { return toggled.push_back(tool), kOk; }
  Status Close(int tool) override { return closed.push_back(tool), kOk; }

  bool exists[4] = {true, true, true, true};
  std::vector<int> toggled, closed;
};

// Opening hands the controller a ten-frame file, as the real file commands do after the graph.
class FakeFiles final : public PlaybackFileCommands {
 public:
  Status Open() override { return OpenNamed(L"chosen.avi"); }
  Status OpenNamed(const std::wstring& path) override {
    opened.push_back(path);
    if (controller != nullptr) controller->OpenFile(FileWithDropped(10, {}));
    return kOk;
  }
  void Close() override {
    ++closes;
    if (controller != nullptr) controller->CloseFile();
  }
  void Information() override { ++reports; }
  Status RebuildGraphWithSameSourceFile() override {
    ++rebuilds;
    graph->position = 0;  // a new graph starts at frame 0, stopped
    graph->state = FakePlaybackGraph::kStopped;
    return kOk;
  }

  PlaybackController* controller = nullptr;
  FakePlaybackGraph* graph = nullptr;
  std::vector<std::wstring> opened;
  int closes = 0, reports = 0, rebuilds = 0;
};

class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() {
    RecordingStartup steps(&tools);
    EXPECT_TRUE(program.Start(steps));
    controller = std::make_unique<PlaybackController>(graph, controls, host, program.Menu(), program.Ids(), common);
    controller->EnterNoFileState();
    files.controller = controller.get();
    files.graph = &graph;
    program.Attach(controller.get(), &files, &tools);
  }
  const PlaybackMenuIds& Ids() { return program.Ids(); }
  void OpenFile() { program.OnMenuCommand(Ids().open); }
  void Press(PlaybackButton button) { controller->OnButtonClicked(button); }

  ScopedMemoryLog log;
  CommonState common;
  FakePlaybackGraph graph;
  CommonPlaybackState state{common, graph};
  FakeView view;
  FakeTools tools;
  FakeFiles files;
  RecordingControlsView controls;
  FakePlaybackHost host;
  PlaybackProgram program{view, state};
  std::unique_ptr<PlaybackController> controller;
};

TEST(PlaybackProgramStart, RunsEveryStepInOrderAndStopsAtAWindowThatCannotBeMade) {
  ScopedMemoryLog log;
  CommonState common;
  FakePlaybackGraph graph;
  CommonPlaybackState state{common, graph};
  FakeView view;
  FakeTools tools;
  PlaybackProgram program{view, state};
  RecordingStartup steps(&tools);
  ASSERT_TRUE(program.Start(steps));
  const std::vector<std::string> all = {
      "options",     "icons",         "help",       "identifiers",    "font",
      "main window", "video surface", "size",       "options window", "controls window",
      "tools",       "light curve",   "placements", "read options",   "time zone",
      "renderer",    "place",         "connect",    "control",        "callbacks",
      "folders",     "flush"};
  EXPECT_EQ(steps.done, all);
  EXPECT_EQ(program.Ids().open, 500u);  // the menu's identifiers follow the windows'

  for (const char* failing : {"main window", "video surface", "options window", "controls window"}) {
    RecordingStartup failed(&tools);
    failed.failAt = failing;
    EXPECT_FALSE(program.Start(failed)) << failing;
    EXPECT_EQ(failed.done.back(), failing);
  }
}

TEST(PlaybackProgramStart, TheMenuListsOnlyToolsWhoseWindowExistsAndIsAvailable) {
  CommonState common;
  common.featureUnavailable[kToolCrosshairs] = true;
  FakePlaybackGraph graph;
  CommonPlaybackState state{common, graph};
  FakeView view;
  FakeTools tools;
  tools.exists[kToolPixelSaturation] = false;
  PlaybackProgram program{view, state};
  RecordingStartup steps(&tools);
  program.Start(steps);
  MenuModel& menu = view.applied;  // what the window shows
  EXPECT_NE(menu.FindByPath(L"Display/Brightness/Contrast..."), nullptr);
  EXPECT_EQ(menu.FindByPath(L"Display/Pixel Saturation..."), nullptr);
  EXPECT_EQ(menu.FindByPath(L"Display/Crosshairs..."), nullptr);
  EXPECT_TRUE(menu.IsEnabled(program.Ids().magnify));
  EXPECT_TRUE(menu.IsEnabled(program.Ids().open));
  EXPECT_FALSE(menu.IsEnabled(program.Ids().close));
}

TEST_F(ProgramTest, MenuCommandsReachTheirTargets) {
  OpenFile();
  EXPECT_EQ(tools.closed, std::vector<int>{kToolMagnify});  // a new file is fitted afresh
  EXPECT_TRUE(controller->FileOpen());
  EXPECT_EQ(common.geometry.MagnifyChoice(), MagnifyChoiceForDisplay(640, 480, 640, 480));
  program.OnMenuCommand(Ids().information);
  program.OnMenuCommand(Ids().miscellaneous);
  program.OnMenuCommand(Ids().lightCurve);
  program.OnMenuCommand(Ids().saveWindowPositions);
  program.OnMenuCommand(Ids().playbackOverview);
  program.OnMenuCommand(Ids().versionHistory);
  program.OnMenuCommand(Ids().magnify);
  program.OnMenuCommand(Ids().crosshairs);
  EXPECT_EQ(files.reports, 1);
  EXPECT_EQ(view.optionsToggles, 1);
  EXPECT_EQ(view.lightCurveToggles, 1);
  EXPECT_EQ(view.positionSaves, 1);
  EXPECT_EQ(view.helpPages, (std::vector<int>{17, 18}));
  EXPECT_EQ(tools.toggled, (std::vector<int>{kToolMagnify, kToolCrosshairs}));
  program.OnMenuCommand(Ids().close);
  EXPECT_FALSE(controller->FileOpen());
  EXPECT_EQ(view.fileChanges, 2);  // opened, closed: the light curve forgets the file's stars

  program.OpenFileNamed(L"named.avi");
  EXPECT_EQ(files.opened.back(), L"named.avi");
  program.OnMenuCommand(Ids().exit);
  EXPECT_FALSE(controller->FileOpen());  // exit closes the file first
  EXPECT_TRUE(common.exit.Requested());
  EXPECT_TRUE(view.destroyed);
}

TEST_F(ProgramTest, DisplayToolsButTheMagnifierAreRefusedWhilePlaying) {
  OpenFile();
  Press(PlaybackButton::kStartPlayback);
  ASSERT_TRUE(controller->IsPlaying());
  program.OnMenuCommand(Ids().brightnessContrast);
  program.OnMenuCommand(Ids().magnify);
  EXPECT_EQ(tools.toggled, std::vector<int>{kToolMagnify});
  EXPECT_EQ(CountOf(log.Text(), L"Logic error: attempt to add display control when media is running\r\n"), 1);
  Press(PlaybackButton::kPause);
  program.OnMenuCommand(Ids().brightnessContrast);
  EXPECT_EQ(tools.toggled, (std::vector<int>{kToolMagnify, kToolBrightnessContrast}));
}

TEST_F(ProgramTest, AToolChangeRebuildsTheGraphAndPutsThePausedFrameBack) {
  OpenFile();
  Press(PlaybackButton::kForwardOneFrame);
  Press(PlaybackButton::kForwardOneFrame);
  EXPECT_EQ(program.OnDisplayToolChanged(kToolCrosshairs, true), kOk);
  EXPECT_EQ(files.rebuilds, 1);
  EXPECT_TRUE(view.applied.IsChecked(Ids().crosshairs));
  EXPECT_EQ(graph.position, 2);  // back at the frame on show, not at the new graph's 0
  EXPECT_EQ(graph.state, FakePlaybackGraph::kPaused);
  EXPECT_EQ(program.OnDisplayToolChanged(7, true), kInvalidArg);
  EXPECT_EQ(files.rebuilds, 1);
}

TEST_F(ProgramTest, ThePausedPictureIsRedrawnOnlyWithAFileAndAStoppedGraph) {
  EXPECT_EQ(program.RefreshPausedPicture(), kOk);
  EXPECT_EQ(view.redraws, 0);
  OpenFile();
  graph.state = FakePlaybackGraph::kRunning;
  program.RefreshPausedPicture();
  EXPECT_EQ(view.redraws, 0);
  graph.state = FakePlaybackGraph::kPaused;
  program.RefreshPausedPicture();
  EXPECT_EQ(view.redraws, 1);
}

TEST_F(ProgramTest, TheVideoIsRepaintedWhenUncoveredUnlessAtTheEnd) {
  program.OnVideoUncovered();  // no file
  EXPECT_EQ(view.repaints, 0);
  OpenFile();
  program.OnVideoUncovered();
  EXPECT_EQ(view.repaints, 1);
  Press(PlaybackButton::kEndOfFile);
  EXPECT_FALSE(program.VideoNeedsRepaint());
  program.OnVideoUncovered();
  EXPECT_EQ(view.repaints, 1);
}

TEST_F(ProgramTest, OnlyAWindowSizedToAFilesVideoIsMovedIntoView) {
  program.OnMainWindowSized();  // start-up and "Close": no file
  EXPECT_EQ(view.keptInView, 0);
  OpenFile();
  program.OnMainWindowSized();
  EXPECT_EQ(view.keptInView, 1);
  common.magnifyChangeInProgress = true;  // the magnifier sizes the window itself
  program.OnMainWindowSized();
  program.OnVideoSizeChanged();
  EXPECT_EQ(view.keptInView, 1);
  EXPECT_EQ(view.magnifiedFits, 1);
}

}  // namespace
}  // namespace zuna
