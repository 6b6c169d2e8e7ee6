#include "playback/control/playback_controller.h"

#include <gtest/gtest.h>

#include "playback_fakes.h"
#include "support/memory_log.h"

namespace zuna {
namespace {

using test::CountOf;
using test::FakePlaybackGraph;
using test::FakePlaybackHost;
using test::FileWithDropped;
using test::RecordingControlsView;
using test::ScopedMemoryLog;
using B = PlaybackButton;
using C = PlaybackCommand;

std::wstring Line(std::size_t blanks, const std::wstring& text) {
  return std::wstring(blanks, L' ') + text;
}

class ControllerTest : public ::testing::Test {
 protected:
  static PlaybackMenuIds Ids() {
    PlaybackMenuIds ids{};
    ids.close = 101;
    ids.information = 102;
    ids.droppedFramesControl = 103;
    ids.brightnessContrast = 111;
    ids.pixelSaturation = 112;
    ids.crosshairs = 113;
    return ids;
  }

  ControllerTest() {
    MenuItem& file = menu.AddPopup(L"File");
    MenuModel::AddItem(file, L"Close", ids.close).enabled = false;
    MenuModel::AddItem(file, L"Information", ids.information).enabled = false;
    MenuItem& display = menu.AddPopup(L"Display");
    MenuModel::AddItem(display, L"Brightness/Contrast...", ids.brightnessContrast).enabled = false;
    MenuModel::AddItem(display, L"Pixel Saturation...", ids.pixelSaturation).enabled = false;
    MenuModel::AddItem(display, L"Crosshairs...", ids.crosshairs).enabled = false;
    MenuItem& options = menu.AddPopup(L"Options");
    MenuModel::AddItem(options, L"Miscellaneous...", 200);
    controller.EnterNoFileState();
  }

  void Press(B button) { controller.OnButtonClicked(button); }
  void Press(B button, int times) {
    for (int i = 0; i < times; ++i) Press(button);
  }
  const PlaybackControlsState& Controls() { return view.Last(); }
  bool On(B button) { return Controls().Enabled(button); }
  bool DroppedItemInMenu() { return menu.FindByPath(L"Options/Dropped Frames Control") != nullptr; }

  ScopedMemoryLog log;
  FakePlaybackGraph graph;
  RecordingControlsView view;
  FakePlaybackHost host;
  MenuModel menu;
  PlaybackMenuIds ids = Ids();
  CommonState state;
  PlaybackController controller{graph, view, host, menu, ids, state};
};

TEST_F(ControllerTest, StartsWithNoFileAndEveryControlOff) {
  EXPECT_EQ(Controls(), PlaybackControlsState{});
  EXPECT_EQ(view.shows, 1);
  EXPECT_EQ(controller.LastCommand(), CommandNumber(C::kNoFile));
  controller.RunCommand(C::kForwardOneFrame);  // nothing to play
  controller.RunCommand(C::kPausePlayback);    // as after a display tool toggle
  EXPECT_TRUE(graph.seeks.empty());
  EXPECT_TRUE(graph.calls.empty());
  EXPECT_EQ(Controls(), PlaybackControlsState{});
  controller.CloseFile();
  EXPECT_EQ(host.releases, 0);
  EXPECT_EQ(log.Text(), L"");
}

TEST_F(ControllerTest, OpeningAFileWithDroppedFramesWidensTheControls) {
  controller.OpenFile(FileWithDropped(10, {5, 6}));
  EXPECT_TRUE(DroppedItemInMenu());
  EXPECT_TRUE(menu.IsChecked(ids.droppedFramesControl));
  EXPECT_TRUE(controller.DroppedFramesControl());
  EXPECT_EQ(Controls().windowWidth, 842);
  EXPECT_EQ(Controls().windowHeight, 230);
  EXPECT_EQ(Controls().sliderWidth, 820);
  EXPECT_EQ(Controls().frameNumberWidth, 820);
  EXPECT_EQ(Controls().sliderMaximum, 10);
  EXPECT_EQ(Controls().sliderPosition, 0);
  EXPECT_EQ(Controls().frameNumberText, Line(49, L"Key Frame Number:  0"));
  EXPECT_EQ(view.shows, 2);
  EXPECT_EQ(graph.state, FakePlaybackGraph::kPaused);
  // Paused at the beginning: Start, Forward, End and ">" only.
  EXPECT_TRUE(On(B::kStartPlayback) && On(B::kForwardOneFrame) && On(B::kEndOfFile) && On(B::kNextDroppedFrame));
  EXPECT_FALSE(On(B::kPause) || On(B::kBeginningOfFile) || On(B::kBackOneFrame) || On(B::kPreviousDroppedFrame));
  EXPECT_TRUE(Controls().sliderEnabled);
  EXPECT_TRUE(menu.IsEnabled(ids.close) && menu.IsEnabled(ids.information));
  EXPECT_TRUE(menu.IsEnabled(ids.brightnessContrast));
  EXPECT_TRUE(menu.IsEnabled(ids.pixelSaturation) && menu.IsEnabled(ids.crosshairs));
}

TEST_F(ControllerTest, WalksAFileWhoseFrames5And6AreDropped) {
  controller.OpenFile(FileWithDropped(10, {5, 6}));
  Press(B::kForwardOneFrame, 4);
  EXPECT_EQ(Controls().frameNumberText, Line(49, L"Key Frame Number:  4"));
  Press(B::kForwardOneFrame);
  EXPECT_EQ(controller.DisplayedPosition(), 7);
  EXPECT_EQ(Controls().sliderPosition, 7);
  EXPECT_EQ(Controls().frameNumberText, Line(49, L"Key Frame Number:  7"));
  EXPECT_TRUE(On(B::kPreviousDroppedFrame));
  EXPECT_FALSE(On(B::kNextDroppedFrame));

  Press(B::kPreviousDroppedFrame);  // "<" from 7
  EXPECT_EQ(controller.DisplayedPosition(), 6);
  EXPECT_EQ(Controls().frameNumberText, Line(49, L"Dropped Frame Number:  6"));
  Press(B::kBeginningOfFile);
  Press(B::kNextDroppedFrame);  // ">" from 0
  EXPECT_EQ(controller.DisplayedPosition(), 5);
  EXPECT_EQ(Controls().frameNumberText, Line(49, L"Dropped Frame Number:  5"));
  EXPECT_TRUE(On(B::kNextDroppedFrame));
  EXPECT_FALSE(On(B::kPreviousDroppedFrame));
  Press(B::kNextDroppedFrame);
  EXPECT_EQ(controller.DisplayedPosition(), 6);
  EXPECT_EQ(controller.LastCommand(), CommandNumber(C::kNextDroppedFrame));
  EXPECT_FALSE(On(B::kNextDroppedFrame));
  EXPECT_TRUE(On(B::kPreviousDroppedFrame));
  Press(B::kPreviousDroppedFrame);
  EXPECT_EQ(controller.DisplayedPosition(), 5);
  EXPECT_FALSE(On(B::kPreviousDroppedFrame));
  Press(B::kPreviousDroppedFrame);  // disabled: no dropped frame before 5
  EXPECT_EQ(controller.DisplayedPosition(), 5);
  Press(B::kBackOneFrame);
  EXPECT_EQ(Controls().frameNumberText, Line(49, L"Key Frame Number:  4"));
  Press(B::kBackOneFrame, 4);
  EXPECT_EQ(controller.DisplayedPosition(), 0);
  EXPECT_EQ(controller.LastCommand(), CommandNumber(C::kBackOneFrame));
  EXPECT_FALSE(On(B::kBeginningOfFile) || On(B::kBackOneFrame));  // set as for Beginning of File
  EXPECT_TRUE(On(B::kNextDroppedFrame));
  EXPECT_EQ(log.Text(), L"");
}

TEST_F(ControllerTest, ForwardOnTheLastFrameReachesTheEndAndBackDrawsItAgain) {
  controller.OpenFile(FileWithDropped(10, {5, 6}));
  Press(B::kForwardOneFrame, 7);  // 1 2 3 4 7 8 9
  EXPECT_EQ(controller.DisplayedPosition(), 9);
  Press(B::kForwardOneFrame);
  EXPECT_EQ(controller.LastCommand(), CommandNumber(C::kEndOfFile));
  EXPECT_EQ(Controls().frameNumberText, Line(51, L"Frame Number: EOF"));
  EXPECT_EQ(Controls().sliderPosition, 10);
  EXPECT_FALSE(host.videoShown);
  EXPECT_EQ(graph.state, FakePlaybackGraph::kStopped);
  EXPECT_TRUE(On(B::kBeginningOfFile) && On(B::kBackOneFrame) && On(B::kPreviousDroppedFrame));
  EXPECT_FALSE(On(B::kStartPlayback) || On(B::kPause) || On(B::kForwardOneFrame) || On(B::kEndOfFile) ||
               On(B::kNextDroppedFrame) || Controls().sliderEnabled);
  Press(B::kForwardOneFrame);  // disabled: nothing happens
  EXPECT_EQ(graph.seeks.back(), 10);

  Press(B::kBackOneFrame);
  EXPECT_EQ(controller.DisplayedPosition(), 9);
  EXPECT_TRUE(host.videoShown);
  EXPECT_EQ(graph.state, FakePlaybackGraph::kPaused);
  EXPECT_EQ(controller.Player().State(), PlayerState::kPaused);
  EXPECT_TRUE(On(B::kStartPlayback) && On(B::kBackOneFrame));
}

TEST_F(ControllerTest, AFileWithoutDroppedFramesNeverShowsTheArrows) {
  controller.OpenFile(FileWithDropped(20, {}, /*capture=*/false));
  EXPECT_FALSE(DroppedItemInMenu());
  EXPECT_EQ(Controls().windowWidth, 636);
  EXPECT_EQ(Controls().sliderWidth, 614);
  EXPECT_EQ(view.shows, 1);
  EXPECT_EQ(Controls().frameNumberText, Line(35, L"Frame Number:  0"));
  EXPECT_TRUE(menu.IsEnabled(ids.brightnessContrast));
  EXPECT_FALSE(menu.IsEnabled(ids.pixelSaturation) || menu.IsEnabled(ids.crosshairs));
  for (int i = 0; i < 20; ++i) {
    EXPECT_FALSE(On(B::kNextDroppedFrame) || On(B::kPreviousDroppedFrame));
    Press(B::kForwardOneFrame);
  }
  EXPECT_EQ(Controls().frameNumberText, Line(35, L"Frame Number: EOF"));
  controller.OnDroppedFramesControlCommand();  // no item for such a file
  EXPECT_FALSE(controller.DroppedFramesControl());
}

TEST_F(ControllerTest, PlayPauseAndTheTimerDriveTheSliderAndTheLine) {
  controller.OpenFile(FileWithDropped(300, {150}));
  Press(B::kStartPlayback);
  EXPECT_TRUE(host.timerRunning);
  EXPECT_TRUE(controller.IsPlaying());
  EXPECT_FALSE(menu.IsEnabled(ids.brightnessContrast) || menu.IsEnabled(ids.pixelSaturation));
  EXPECT_TRUE(On(B::kPause));
  EXPECT_FALSE(On(B::kStartPlayback) || On(B::kBeginningOfFile) || Controls().sliderEnabled);
  controller.OnSliderNotification(SliderNotification::kThumbPosition, 100);  // ignored while running
  EXPECT_EQ(graph.seeks.size(), 2u);

  graph.position = 151;
  controller.OnPlayTimerTick();
  EXPECT_EQ(Controls().sliderPosition, 151);
  EXPECT_EQ(Controls().frameNumberText, Line(49, L"Key Frame Number:  151"));
  graph.position = 150;
  controller.OnPlayTimerTick();
  EXPECT_EQ(Controls().frameNumberText, Line(49, L"Dropped Frame Number:  150"));

  graph.position = 200;
  Press(B::kPause);
  EXPECT_FALSE(host.timerRunning);
  EXPECT_EQ(host.refreshPosts, 1);
  EXPECT_EQ(Controls().sliderPosition, 200);
  EXPECT_TRUE(menu.IsEnabled(ids.crosshairs));
  EXPECT_TRUE(On(B::kPreviousDroppedFrame) && On(B::kBeginningOfFile));
  controller.RunCommand(C::kRefreshPosition);
  EXPECT_EQ(graph.seeks.back(), 200);
  EXPECT_EQ(controller.LastCommand(), CommandNumber(C::kPausePlayback));

  graph.position = 290;
  controller.OnPlayTimerTick();  // a tick queued before the pause finds nothing to do
  EXPECT_EQ(Controls().sliderPosition, 200);
}

TEST_F(ControllerTest, ARebuiltGraphIsPutBackAtThePlayersPosition) {
  controller.OpenFile(FileWithDropped(100, {}));
  Press(B::kForwardOneFrame, 3);
  graph.position = 0;  // a display tool was toggled: the graph was rebuilt
  controller.RunCommand(C::kRefreshPosition);
  controller.RunCommand(C::kPausePlayback);
  EXPECT_EQ(controller.DisplayedPosition(), 3);
  EXPECT_EQ(Controls().frameNumberText, Line(35, L"Frame Number:  3"));
}

TEST_F(ControllerTest, TheTimerEndsPlayingTenFramesBeforeTheEnd) {
  controller.OpenFile(FileWithDropped(100, {}));
  Press(B::kStartPlayback);
  graph.position = 89;
  controller.OnPlayTimerTick();
  EXPECT_TRUE(host.timerRunning);
  graph.position = 90;
  controller.OnPlayTimerTick();
  EXPECT_FALSE(host.timerRunning);
  EXPECT_EQ(controller.LastCommand(), CommandNumber(C::kEndOfFile));
  EXPECT_EQ(Controls().frameNumberText, Line(35, L"Frame Number: EOF"));
  EXPECT_EQ(graph.state, FakePlaybackGraph::kStopped);
  EXPECT_FALSE(host.videoShown);
}

TEST_F(ControllerTest, AFileOfFewerThanElevenFramesPlaysToTheEnd) {
  controller.OpenFile(FileWithDropped(5, {}));
  Press(B::kStartPlayback);
  graph.position = 5;
  controller.OnPlayTimerTick();
  EXPECT_FALSE(host.timerRunning);
  EXPECT_EQ(controller.LastCommand(), CommandNumber(C::kEndOfFile));
  EXPECT_FALSE(controller.IsPlaying());
  EXPECT_TRUE(On(B::kBeginningOfFile));
  Press(B::kBeginningOfFile);
  EXPECT_TRUE(host.videoShown);
  EXPECT_EQ(Controls().frameNumberText, Line(35, L"Frame Number:  0"));
}

TEST_F(ControllerTest, TheSliderSeeksEveryFrameOfA70000FrameFile) {
  controller.OpenFile(FileWithDropped(70000, {}));
  controller.OnSliderNotification(SliderNotification::kThumbTrack, 69999);  // tracking is ignored
  EXPECT_EQ(graph.position, 0);
  controller.OnSliderNotification(SliderNotification::kThumbPosition, 69999);
  EXPECT_EQ(graph.position, 69999);
  EXPECT_EQ(controller.Player().CurrentPosition(), 69999);
  EXPECT_EQ(Controls().frameNumberText, Line(35, L"Frame Number:  69999"));
  EXPECT_EQ(Controls().sliderPosition, 69999);
  EXPECT_EQ(controller.LastCommand(), CommandNumber(C::kSliderReleased));
  controller.OnSliderNotification(SliderNotification::kPageUp, 69998);
  EXPECT_EQ(graph.position, 69998);
  Press(B::kForwardOneFrame);
  EXPECT_EQ(graph.position, 69999);
  controller.OnSliderNotification(SliderNotification::kLineDown, 70000);
  EXPECT_EQ(controller.LastCommand(), CommandNumber(C::kSliderForward));
  EXPECT_EQ(Controls().frameNumberText, Line(35, L"Frame Number: EOF"));
  EXPECT_FALSE(host.videoShown);
  EXPECT_FALSE(Controls().sliderEnabled);
}

TEST_F(ControllerTest, SliderAtZeroRunsBeginningOfFile) {
  controller.OpenFile(FileWithDropped(10, {5}));
  controller.OnSliderNotification(SliderNotification::kThumbPosition, 7);
  EXPECT_TRUE(On(B::kPreviousDroppedFrame));
  controller.OnSliderNotification(SliderNotification::kLineUp, 0);
  EXPECT_EQ(controller.LastCommand(), CommandNumber(C::kBeginningOfFile));
  EXPECT_EQ(graph.position, 0);
  EXPECT_FALSE(On(B::kBeginningOfFile));
  EXPECT_TRUE(On(B::kNextDroppedFrame));
  controller.OnSliderNotification(SliderNotification::kThumbPosition, 5);
  EXPECT_EQ(Controls().frameNumberText, Line(49, L"Dropped Frame Number:  5"));
}

TEST_F(ControllerTest, AFailedSliderSeekPutsTheSliderBack) {
  controller.OpenFile(FileWithDropped(70000, {}));
  controller.OnSliderNotification(SliderNotification::kThumbPosition, 100);
  graph.failSeeks = 1;
  controller.OnSliderNotification(SliderNotification::kThumbPosition, 69000);
  EXPECT_EQ(controller.DisplayedPosition(), 100);
  EXPECT_EQ(Controls().sliderPosition, 100);
  EXPECT_EQ(Controls().frameNumberText, Line(35, L"Frame Number:  100"));
  EXPECT_EQ(CountOf(log.Text(), L"WARNING: media seeking failed to set current position\r\n"), 1);
}

TEST_F(ControllerTest, FailedStepsAndStartsLeaveTheControlsWhereTheyWere) {
  controller.OpenFile(FileWithDropped(10, {5, 6}));
  Press(B::kForwardOneFrame, 2);
  const PlaybackControlsState before = Controls();
  graph.failSeeks = 1;
  Press(B::kForwardOneFrame);
  EXPECT_EQ(Controls(), before);
  graph.runResult = kFail;
  Press(B::kStartPlayback);
  EXPECT_EQ(Controls(), before);
  EXPECT_FALSE(host.timerRunning);
  EXPECT_FALSE(controller.IsPlaying());
  EXPECT_TRUE(menu.IsEnabled(ids.brightnessContrast));
  EXPECT_NE(log.Text().find(L"\terror value: 0x80004005\r\n"), std::wstring::npos);
}

TEST_F(ControllerTest, AFailedStepFromTheEndKeepsTheVideoHidden) {
  controller.OpenFile(FileWithDropped(3, {}));
  Press(B::kEndOfFile);
  graph.failSeeks = 1;
  Press(B::kBackOneFrame);
  EXPECT_FALSE(host.videoShown);
  EXPECT_EQ(graph.state, FakePlaybackGraph::kStopped);
  Press(B::kBackOneFrame);  // the retry still pauses the stopped graph
  EXPECT_TRUE(host.videoShown);
  EXPECT_EQ(graph.state, FakePlaybackGraph::kPaused);
  EXPECT_EQ(controller.DisplayedPosition(), 2);
}

TEST_F(ControllerTest, BackFromTheEndOfAOneFrameFilePausesToo) {
  controller.OpenFile(FileWithDropped(1, {}));
  Press(B::kForwardOneFrame);
  EXPECT_EQ(Controls().frameNumberText, Line(35, L"Frame Number: EOF"));
  Press(B::kBackOneFrame);
  EXPECT_EQ(controller.DisplayedPosition(), 0);
  EXPECT_EQ(graph.state, FakePlaybackGraph::kPaused);
  EXPECT_TRUE(On(B::kStartPlayback));
  EXPECT_FALSE(On(B::kBeginningOfFile));
}

TEST_F(ControllerTest, TheDroppedFramesControlTogglesWidthCheckAndLabel) {
  controller.OpenFile(FileWithDropped(10, {5, 6}));
  Press(B::kNextDroppedFrame);
  controller.OnDroppedFramesControlCommand();
  EXPECT_FALSE(controller.DroppedFramesControl());
  EXPECT_FALSE(menu.IsChecked(ids.droppedFramesControl));
  EXPECT_EQ(Controls().windowWidth, 636);
  EXPECT_EQ(Controls().sliderWidth, 820);  // the slider keeps the width it was created with
  EXPECT_EQ(Controls().frameNumberText, Line(31, L"Key Frame Number:  5"));
  controller.OnDroppedFramesControlCommand();
  EXPECT_TRUE(menu.IsChecked(ids.droppedFramesControl));
  EXPECT_EQ(Controls().windowWidth, 842);
  EXPECT_EQ(Controls().frameNumberText, Line(49, L"Dropped Frame Number:  5"));
}

TEST_F(ControllerTest, CloseFileReturnsEverythingToNoFile) {
  graph.state = FakePlaybackGraph::kRunning;
  controller.OpenFile(FileWithDropped(10, {5, 6}));
  Press(B::kEndOfFile);
  Press(B::kBeginningOfFile);
  Press(B::kStartPlayback);
  controller.CloseFile();
  EXPECT_EQ(graph.calls.back(), L"stop");
  EXPECT_FALSE(graph.IsRunning());
  EXPECT_EQ(host.releases, 1);
  EXPECT_EQ(host.mainWindowSizings, 1);
  EXPECT_FALSE(host.timerRunning);
  EXPECT_TRUE(host.videoShown);
  EXPECT_FALSE(DroppedItemInMenu());
  EXPECT_FALSE(controller.DroppedFramesControl());
  EXPECT_FALSE(menu.IsEnabled(ids.close) || menu.IsEnabled(ids.information) || menu.IsEnabled(ids.brightnessContrast) ||
               menu.IsEnabled(ids.crosshairs));
  PlaybackControlsState expected;
  expected.frameNumberText = L" ";
  EXPECT_EQ(Controls(), expected);
  EXPECT_EQ(controller.LastCommand(), CommandNumber(C::kNoFile));
  EXPECT_FALSE(controller.FileOpen());

  host.fileSource = true;
  graph.stopResult = kFail;
  controller.OpenFile(FileWithDropped(4, {}));
  controller.CloseFile();
  EXPECT_EQ(CountOf(log.Text(), L"WARNING: attempt to stop filter graph failed\r\n"), 1);
}

TEST_F(ControllerTest, UnhandledCommandsAreReportedAndChangeNothing) {
  controller.OpenFile(FileWithDropped(10, {}));
  Press(B::kForwardOneFrame);
  const PlaybackControlsState before = Controls();
  controller.RunCommand(static_cast<PlaybackCommand>(6));  // no command has this number
  EXPECT_EQ(CountOf(log.Text(), L"Logic error: video player ProcessPlaybackCommand case is not handled\r\n"), 1);
  EXPECT_EQ(CountOf(log.Text(), L"Logic error: main window SetPlaybackControlButtonsState case is not handled\r\n"), 1);
  controller.SetPlaybackControlButtonsState(CommandNumber(C::kRefreshPosition), true, true);
  EXPECT_EQ(CountOf(log.Text(), L"Logic error: main window SetPlaybackControlButtonsState case is not handled\r\n"), 2);
  EXPECT_EQ(Controls(), before);
  EXPECT_EQ(controller.LastCommand(), CommandNumber(C::kForwardOneFrame));
}

}  // namespace
}  // namespace zuna
