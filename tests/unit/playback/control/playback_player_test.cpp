#include "playback/control/playback_player.h"

#include <gtest/gtest.h>

#include "playback_fakes.h"
#include "support/memory_log.h"

namespace zuna {
namespace {

using test::FakePlaybackGraph;
using test::FileWithDropped;
using test::ScopedMemoryLog;

constexpr int Cmd(PlaybackCommand c) {
  return CommandNumber(c);
}

class PlayerTest : public ::testing::Test {
 protected:
  void Open(const PlaybackFileFacts& f) { player.Open(FrameMap(f.totalFrames, f.frameIsKey)); }
  FrameNumber Run(PlaybackCommand c) { return player.ProcessPlaybackCommand(Cmd(c)); }
  bool Logged(const std::wstring& text) const { return log.Text().find(text) != std::wstring::npos; }

  ScopedMemoryLog log;
  FakePlaybackGraph graph;
  CommonState state;
  PlaybackPlayer player{graph, state};
};

TEST_F(PlayerTest, SteppingSkipsDroppedFramesAndTheArrowsVisitThem) {
  Open(FileWithDropped(10, {5, 6}));
  for (int i = 0; i < 4; ++i) Run(PlaybackCommand::kForwardOneFrame);
  EXPECT_EQ(player.CurrentPosition(), 4);
  EXPECT_TRUE(player.NextDroppedExists());
  EXPECT_FALSE(player.PreviousDroppedExists());
  EXPECT_EQ(Run(PlaybackCommand::kForwardOneFrame), 7);
  EXPECT_EQ(graph.position, 7);
  EXPECT_FALSE(player.NextDroppedExists());
  EXPECT_TRUE(player.PreviousDroppedExists());
  EXPECT_EQ(Run(PlaybackCommand::kPreviousDroppedFrame), 6);
  EXPECT_EQ(Run(PlaybackCommand::kPreviousDroppedFrame), 5);
  EXPECT_EQ(Run(PlaybackCommand::kPreviousDroppedFrame), 0);
  EXPECT_EQ(Run(PlaybackCommand::kNextDroppedFrame), 5);
  EXPECT_TRUE(player.NextDroppedExists());
  EXPECT_EQ(Run(PlaybackCommand::kNextDroppedFrame), 6);
  EXPECT_TRUE(player.PreviousDroppedExists());
  EXPECT_EQ(Run(PlaybackCommand::kForwardOneFrame), 7);
  EXPECT_EQ(Run(PlaybackCommand::kBackOneFrame), 4);
  EXPECT_EQ(Run(PlaybackCommand::kNextDroppedFrame), 5);
  EXPECT_EQ(Run(PlaybackCommand::kNextDroppedFrame), 6);
  EXPECT_EQ(Run(PlaybackCommand::kNextDroppedFrame), 10);  // no further dropped frame: the end
  EXPECT_EQ(log.Text(), L"");
}

TEST_F(PlayerTest, StepsStopAtBothEndsOfTheFile) {
  Open(FileWithDropped(3, {}));
  EXPECT_EQ(Run(PlaybackCommand::kBackOneFrame), 0);
  EXPECT_EQ(Run(PlaybackCommand::kPreviousDroppedFrame), 0);
  for (int i = 0; i < 5; ++i) Run(PlaybackCommand::kForwardOneFrame);
  EXPECT_EQ(player.CurrentPosition(), 3);
  EXPECT_EQ(Run(PlaybackCommand::kForwardOneFrame), 3);
  EXPECT_EQ(Run(PlaybackCommand::kNextDroppedFrame), 3);
}

TEST_F(PlayerTest, BeginningPausesAndEndStops) {
  Open(FileWithDropped(10, {5, 6}));
  graph.state = FakePlaybackGraph::kRunning;
  graph.position = 8;
  EXPECT_EQ(Run(PlaybackCommand::kBeginningOfFile), 0);
  EXPECT_EQ(graph.state, FakePlaybackGraph::kPaused);
  EXPECT_EQ(player.State(), PlayerState::kPaused);
  EXPECT_FALSE(graph.IsRunning());
  EXPECT_EQ(graph.position, 0);
  EXPECT_TRUE(player.NextDroppedExists());

  EXPECT_EQ(Run(PlaybackCommand::kEndOfFile), 10);
  EXPECT_EQ(graph.state, FakePlaybackGraph::kStopped);
  EXPECT_EQ(player.State(), PlayerState::kStopped);
  EXPECT_EQ(graph.position, 10);
  EXPECT_FALSE(player.NextDroppedExists());
  EXPECT_TRUE(player.PreviousDroppedExists());
}

TEST_F(PlayerTest, StartRunsFromThePositionAndPauseReadsTheGraph) {
  Open(FileWithDropped(100, {50}));
  Run(PlaybackCommand::kForwardOneFrame);
  EXPECT_EQ(Run(PlaybackCommand::kStartPlayback), 1);
  EXPECT_EQ(graph.seeks.back(), 1);
  EXPECT_EQ(graph.state, FakePlaybackGraph::kRunning);
  EXPECT_EQ(player.State(), PlayerState::kRunning);
  EXPECT_TRUE(graph.IsRunning());
  graph.position = 60;
  EXPECT_EQ(Run(PlaybackCommand::kPausePlayback), 60);
  EXPECT_FALSE(graph.IsRunning());
  EXPECT_TRUE(player.PreviousDroppedExists());
  Run(PlaybackCommand::kStartPlayback);
  graph.position = 1000;  // a graph position beyond the file is held to its end
  EXPECT_EQ(Run(PlaybackCommand::kPausePlayback), 100);
}

TEST_F(PlayerTest, RunFailuresAreReportedAndPlayingDoesNotBegin) {
  Open(FileWithDropped(10, {}));
  graph.runResult = kFail;
  Run(PlaybackCommand::kStartPlayback);
  EXPECT_TRUE(Logged(L"SEVERE: attempt to run filter graph failed\r\n\terror value: 0x80004005\r\n"));
  EXPECT_EQ(player.State(), PlayerState::kStopped);
  EXPECT_FALSE(graph.IsRunning());

  graph.hasControl = false;
  Run(PlaybackCommand::kStartPlayback);
  EXPECT_TRUE(Logged(L"Logic error: attempt to run filter graph with a NULL media control interface\r\n"));

  graph.hasControl = true;
  graph.failSeeks = 1;
  Run(PlaybackCommand::kStartPlayback);
  EXPECT_TRUE(Logged(L"WARNING: media seeking failed to set current position\r\n"));
  EXPECT_EQ(graph.calls.size(), 1u);  // no run after the failed seek

  graph.state = FakePlaybackGraph::kRunning;
  graph.runResult = kOk;
  Run(PlaybackCommand::kStartPlayback);
  EXPECT_TRUE(Logged(L"Logic error: attempt to run filter graph that is already running\r\n"));
  EXPECT_EQ(player.State(), PlayerState::kRunning);
}

TEST_F(PlayerTest, PauseFailuresKeepThePosition) {
  Open(FileWithDropped(10, {}));
  Run(PlaybackCommand::kForwardOneFrame);
  Run(PlaybackCommand::kForwardOneFrame);
  graph.pauseResult = kFail;
  EXPECT_EQ(Run(PlaybackCommand::kPausePlayback), 2);
  EXPECT_TRUE(Logged(L"WARNING: attempt to pause filter graph failed\r\n"));
  EXPECT_TRUE(Logged(L"WARNING: failure to pause filter graph\r\n"));
  EXPECT_EQ(Run(PlaybackCommand::kBeginningOfFile), 2);
  EXPECT_EQ(graph.position, 2);

  log.sink.Clear();
  graph.hasControl = false;
  EXPECT_EQ(Run(PlaybackCommand::kPausePlayback), 2);
  EXPECT_TRUE(Logged(L"Logic error: attempt to pause filter graph with a NULL media control interface\r\n"));
  EXPECT_TRUE(Logged(L"WARNING: failure to pause filter graph\r\n"));

  graph.hasControl = true;
  graph.pauseResult = kOk;
  graph.failGet = true;
  EXPECT_EQ(Run(PlaybackCommand::kPausePlayback), 2);
  EXPECT_TRUE(Logged(L"WARNING: media seeking failed to get current position\r\n"));
}

TEST_F(PlayerTest, FailedSeeksLeaveThePositionAndItsFlags) {
  Open(FileWithDropped(10, {5, 6}));
  for (int i = 0; i < 4; ++i) Run(PlaybackCommand::kForwardOneFrame);
  for (PlaybackCommand c :
       {PlaybackCommand::kForwardOneFrame, PlaybackCommand::kBackOneFrame, PlaybackCommand::kNextDroppedFrame,
        PlaybackCommand::kPreviousDroppedFrame, PlaybackCommand::kBeginningOfFile}) {
    graph.failSeeks = 1;
    EXPECT_EQ(Run(c), 4) << CommandNumber(c);
    EXPECT_EQ(player.CurrentPosition(), 4);
    EXPECT_TRUE(player.NextDroppedExists());
  }
  graph.failSeeks = 1;
  EXPECT_EQ(Run(PlaybackCommand::kEndOfFile), 10);  // the end is reported even when its seek fails
  graph.stopResult = kFail;
  Run(PlaybackCommand::kEndOfFile);
  EXPECT_TRUE(Logged(L"WARNING: attempt to stop filter graph failed\r\n"));
}

TEST_F(PlayerTest, WithoutMediaSeekingNothingMoves) {
  Open(FileWithDropped(10, {}));
  Run(PlaybackCommand::kForwardOneFrame);
  graph.hasSeeking = false;
  EXPECT_EQ(Run(PlaybackCommand::kForwardOneFrame), 1);
  EXPECT_TRUE(Logged(L"Logic error: IMediaSeeking interface is NULL in ProcessPlaybackCommand\r\n"));
  player.SetOpenFilePosition(5);
  EXPECT_TRUE(Logged(L"Logic error: IMediaSeeking interface is NULL in SetOpenFilePosition\r\n"));
  EXPECT_EQ(player.CurrentPosition(), 1);
  EXPECT_EQ(graph.seeks.size(), 1u);
}

TEST_F(PlayerTest, UnknownNumbersAndMainWindowCommands) {
  Open(FileWithDropped(10, {}));
  Run(PlaybackCommand::kForwardOneFrame);
  EXPECT_EQ(player.ProcessPlaybackCommand(6), 1);
  EXPECT_EQ(player.ProcessPlaybackCommand(-1), 1);
  EXPECT_EQ(player.ProcessPlaybackCommand(99), 1);
  EXPECT_EQ(test::CountOf(log.Text(), L"Logic error: video player ProcessPlaybackCommand case is not handled\r\n"), 3);
  EXPECT_EQ(Run(PlaybackCommand::kSliderReleased), 0);
  EXPECT_EQ(graph.seeks.size(), 1u);
  EXPECT_EQ(Run(PlaybackCommand::kRefreshPosition), 1);
  EXPECT_EQ(graph.seeks.size(), 2u);
  EXPECT_EQ(graph.seeks.back(), 1);
}

TEST_F(PlayerTest, SliderSeeksReachEveryFrameOfALongFile) {
  Open(FileWithDropped(70000, {}));
  player.SetOpenFilePosition(69999);
  EXPECT_EQ(graph.position, 69999);
  EXPECT_EQ(player.CurrentPosition(), 69999);
  player.SetOpenFilePosition(65536);
  EXPECT_EQ(graph.position, 65536);
  player.SetOpenFilePosition(90000);  // outside the slider's range: held to the end
  EXPECT_EQ(graph.position, 70000);
  graph.failSeeks = 1;
  player.SetOpenFilePosition(12);
  EXPECT_EQ(player.CurrentPosition(), 70000);
  EXPECT_TRUE(Logged(L"WARNING: media seeking failed to set current position\r\n"));
}

}  // namespace
}  // namespace zuna
