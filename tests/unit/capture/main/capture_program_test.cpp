// The capture program's decisions over fake windows, devices and graph: start-up, menu rules,
// commands, the camera restarts and the video size.
#include "capture/main/capture_program.h"

#include <gtest/gtest.h>

#include "capture/devices/fake_device_catalog.h"
#include "capture/main/fake_capture_windows.h"
#include "support/memory_log.h"
#include "support/temp_folder.h"
#include "video/player/fake_media_graph.h"

namespace zuna::test {
namespace {

class Program : public ::testing::Test {
 protected:
  Program() {
    common.Log().SetReady(&sink);
    catalog.makeFilter = [this] { return graph.MakeCaptureSource(); };
    catalog.devices = {NtscGrabber(L"USB Grabber")};
    windows.state.toolExists[kToolMagnify] = windows.state.toolExists[kToolCrosshairs] = true;
    windows.state.deviceSelectionWindow = windows.state.devicePropertiesWindow = true;
    self = &program;
  }

  bool Start() {
    const bool started = program.Start();
    return started;
  }
  std::wstring LogText() {
    common.Log().Drain();
    return sink.text;
  }
  int Runs() const { return graph.starts; }
  std::vector<std::wstring> Preview() {
    return graph.ChainFrom(program.Devices().CurrentDevice()->sourceFilter, L"Preview");
  }
  bool MenuEnabled(unsigned id) const { return view.menu.IsEnabled(id); }
  const CaptureMenuIds& Ids() const { return program.Ids(); }

  FakeClock clock;
  MemorySink sink;
  TempFolder folder;
  ZunaCommon common{ProgramKind::kCapture, clock, {folder.Text(), folder.Text(), L""}};
  FakeMediaGraph graph;
  FakeDeviceCatalog catalog;
  FakeCodecCatalog codecs;
  VideoPlayer player{graph, common.State(), &common.Options()};
  FakePowerControl power;
  Windows1252CodePage codePage;
  bool foldersMade = true;
  CaptureProgram* self = nullptr;
  FakeCaptureMainView view;
  FakeCaptureWindows windows{self, common.State()};
  CaptureProgram program{{common, catalog, codecs, &player, power, codePage, folder.Path(),
                          [this](std::wstring& programFolder) {
                            programFolder = folder.Text();
                            return foldersMade;
                          },
                          [] { return true; }},
                         view,
                         windows};
};

TEST_F(Program, StartUpShowsTheCurrentDeviceLiveWithItsMenu) {
  ASSERT_TRUE(Start());
  EXPECT_TRUE(view.shown);
  EXPECT_TRUE(windows.recordControlsShown);
  EXPECT_TRUE(player.IsRunning());
  EXPECT_EQ(common.State().geometry.Display().width, 720);
  EXPECT_TRUE(MenuEnabled(Ids().selectVideoDevice));
  EXPECT_TRUE(MenuEnabled(Ids().crosshairs));
  EXPECT_EQ(windows.eventsFolder, folder.Text() + L"Events\\");
  EXPECT_NE(LogText().find(L"Monitor resolution: 96 dpi"), std::wstring::npos);
}

TEST_F(Program, RecordButtonsSpaceFromTheOptionsFileTakesEffectAtStartUp) {
  std::filesystem::create_directories(folder / "OptionsFiles");
  TempFolder::WriteFile(folder / "OptionsFiles" / "ZUNA_options_capture.txt",
                        "<-Window Positions->\n\n<-Text Options->\n\n<-Boolean Options->\n"
                        "    <RecordButtonsSpace true>\n\n<-Other Options->\n");
  ASSERT_TRUE(Start());
  EXPECT_TRUE(windows.recordButtonsSpaced);
}

TEST_F(Program, StartUpWithoutADeviceSaysSoAndStartsNoCamera) {
  catalog.devices.clear();
  ASSERT_TRUE(Start());
  EXPECT_FALSE(windows.recordControlsShown);
  EXPECT_EQ(Runs(), 0);
  EXPECT_FALSE(MenuEnabled(Ids().selectVideoDevice));
  EXPECT_NE(LogText().find(L"There is no usable video capture device connected to the computer\r\n"),
            std::wstring::npos);
}

TEST_F(Program, AWindowThatCannotBeMadeEndsTheStartUp) {
  view.created = false;
  EXPECT_FALSE(Start());
  EXPECT_TRUE(common.FatalStartupError());
  EXPECT_FALSE(view.shown);
}

TEST_F(Program, MissingFoldersLeaveOnlyTheFileMenuUsableEvenAfterARecording) {
  foldersMade = false;
  ASSERT_TRUE(Start());
  EXPECT_TRUE(windows.eventsFolder.empty());  // the scheduling windows never start
  EXPECT_TRUE(view.menu.Bar()[0].enabled);
  EXPECT_FALSE(view.menu.Bar()[2].enabled);
  program.GreyMenusWhileRecording(false);
  EXPECT_FALSE(view.menu.Bar()[2].enabled);
}

TEST_F(Program, RecordingGreysTheMenusKeepsTheirChecksAndLocksTheDeviceWindows) {
  ASSERT_TRUE(Start());
  program.OnCommand(Ids().crosshairs);
  ASSERT_TRUE(view.menu.IsChecked(Ids().crosshairs));
  program.GreyMenusWhileRecording(true);
  EXPECT_TRUE(view.menu.Bar()[0].enabled);
  for (std::size_t i = 1; i < view.menu.Bar().size(); ++i) EXPECT_FALSE(view.menu.Bar()[i].enabled) << i;
  EXPECT_TRUE(view.menu.IsChecked(Ids().crosshairs));
  EXPECT_FALSE(windows.deviceWindowsEnabled);
  program.GreyMenusWhileRecording(false);
  EXPECT_TRUE(view.menu.Bar()[2].enabled);
  EXPECT_TRUE(windows.deviceWindowsEnabled);
}

TEST_F(Program, AnOpenDeviceWindowIsCheckedAndGreysWhatWouldChangeItsDevice) {
  ASSERT_TRUE(Start());
  program.OnCommand(Ids().selectVideoDevice);
  program.RebuildMenu();  // as the window's menu check asks
  EXPECT_TRUE(view.menu.IsChecked(Ids().selectVideoDevice));
  EXPECT_FALSE(MenuEnabled(Ids().magnify));
  EXPECT_FALSE(MenuEnabled(Ids().videoDeviceProperties));
  // The properties are asked for: the selection is cancelled first.
  program.OnCommand(Ids().videoDeviceProperties);
  program.RebuildMenu();
  EXPECT_EQ(windows.cancels, std::vector<std::wstring>{L"device selection"});
  EXPECT_FALSE(view.menu.IsChecked(Ids().selectVideoDevice));
  EXPECT_TRUE(view.menu.IsChecked(Ids().videoDeviceProperties));
  EXPECT_FALSE(MenuEnabled(Ids().selectVideoDevice));
  EXPECT_FALSE(MenuEnabled(Ids().magnify));
}

TEST_F(Program, TheOtherWindowsAndTheGpsShowTheirStateInTheMenu) {
  ASSERT_TRUE(Start());
  windows.state.gpsConnected = true;
  windows.state.openWindows = {Ids().schedule, Ids().performance};
  program.RebuildMenu();
  EXPECT_TRUE(view.menu.IsChecked(Ids().gpsReceiver));
  EXPECT_TRUE(view.menu.IsChecked(Ids().schedule));
  EXPECT_TRUE(view.menu.IsChecked(Ids().performance));
  EXPECT_FALSE(view.menu.IsChecked(Ids().fileOptions));
}

TEST_F(Program, CommandsReachTheirWindows) {
  ASSERT_TRUE(Start());
  program.OnCommand(Ids().gpsReceiver);
  program.OnCommand(Ids().captureVersionHistory);
  program.OnCommand(Ids().captureOverview);
  program.OnCommand(Ids().fileOptions);
  program.OnCommand(Ids().importXmlEvents);
  EXPECT_EQ(windows.gpsToggles, 1);
  EXPECT_EQ(windows.helpPages, (std::vector<int>{16, 0}));
  EXPECT_EQ(windows.toggled, (std::vector<unsigned>{Ids().fileOptions, Ids().importXmlEvents}));
}

TEST_F(Program, ExitDuringARecordingNeedsAYesAndThenCompletesTheFile) {
  ASSERT_TRUE(Start());
  program.Recording()->OnStartButton();
  program.OnCommand(Ids().exit);
  EXPECT_EQ(view.exitQuestions, 1);
  EXPECT_FALSE(common.State().exit.Requested());
  EXPECT_TRUE(player.IsRunning());
  view.exitAnswer = true;
  program.OnCommand(Ids().exit);
  EXPECT_TRUE(common.State().exit.Requested());
  EXPECT_FALSE(player.IsRunning());
  EXPECT_EQ(view.wakes, 1);
  EXPECT_NE(LogText().find(L"NOTE: application exited while recording\r\n"), std::wstring::npos);
}

TEST_F(Program, ADisplayToolRebuildsThePreviewAtOnce) {
  ASSERT_TRUE(Start());
  const int runs = Runs();
  program.OnCommand(Ids().crosshairs);
  EXPECT_EQ(Runs(), runs + 1);
  EXPECT_TRUE(common.State().displayToolOn[kToolCrosshairs]);
  EXPECT_TRUE(view.menu.IsChecked(Ids().crosshairs));
  EXPECT_EQ(Preview().front(), L"Crosshairs");
}

TEST_F(Program, ADisplayToolDuringARecordingWaitsForThePreviewAfterIt) {
  ASSERT_TRUE(Start());
  program.Recording()->OnStartButton();
  const int runs = Runs();
  program.OnCommand(Ids().crosshairs);
  EXPECT_EQ(Runs(), runs);  // the recording goes on in its one file
  EXPECT_EQ(graph.sinkPaths.size(), 1u);
  EXPECT_NE(Preview().front(), L"Crosshairs");
  program.Recording()->OnStopButton();
  EXPECT_EQ(Preview().front(), L"Crosshairs");
  EXPECT_EQ(graph.sinkPaths.size(), 1u);
}

TEST_F(Program, AFormatTooBigForTheScreenStartsAtAReducedStepWithoutARestart) {
  view.room = {700, 470};
  ASSERT_TRUE(Start());
  EXPECT_EQ(windows.magnified, std::vector<int>{kMagnifyNone - 1});  // x 0.75, through the magnifier
  EXPECT_EQ(Runs(), 1);
}

TEST_F(Program, ANewFormatClosesTheMagnifierReducesTheDisplayAndRestartsTheCamera) {
  windows.state.toolExists[kToolMagnify] = false;  // no magnifier: the program reduces the display itself
  ASSERT_TRUE(Start());
  view.room = {700, 470};
  const int runs = Runs();
  program.OnVideoSizeChanged();
  EXPECT_EQ(common.State().geometry.MagnifyChoice(), kMagnifyNone - 1);
  EXPECT_EQ(common.State().geometry.Display().width, 540);
  EXPECT_EQ(Runs(), runs + 1);
  EXPECT_TRUE(windows.recordControlsShown);
}

TEST_F(Program, TheMagnifiersOwnChoiceOnlyRefitsTheWindow) {
  ASSERT_TRUE(Start());
  windows.state.toolOpen[kToolMagnify] = true;
  const int runs = Runs();
  const int fits = view.fits;
  common.State().magnifyChangeInProgress = true;
  program.OnVideoSizeChanged();
  EXPECT_EQ(view.fits, fits + 1);
  EXPECT_EQ(Runs(), runs);
  EXPECT_TRUE(windows.state.toolOpen[kToolMagnify]);
}

}  // namespace
}  // namespace zuna::test
