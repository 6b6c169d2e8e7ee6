// The player's PlaybackGraph: seeking taken when missing, frame positions on the source, and a run
// after a pause that restarts the stream time at the frame sought.
#include "playback/control/video_player_playback_graph.h"

#include <gtest/gtest.h>

#include "support/memory_log.h"
#include "video/player/fake_media_graph.h"

namespace zuna::test {
namespace {

class PlaybackGraphTest : public ::testing::Test {
 protected:
  void AddFile() {
    ASSERT_EQ(player.CreateAndAddFileSourceBaseFilter(L"C:\\v\\a.avi"), kOk);
    ASSERT_EQ(player.SetFrameTimeFormat(), kOk);
  }

  ScopedMemoryLog log;
  FakeMediaGraph graph;
  CommonState state;
  VideoPlayer player{graph, state, nullptr};
  VideoPlayerPlaybackGraph playback{player};
};

TEST_F(PlaybackGraphTest, TakesTheMediaSeekingWhenItIsMissing) {
  EXPECT_FALSE(player.HasMediaSeeking());
  EXPECT_TRUE(playback.EnsureMediaSeeking());
  EXPECT_TRUE(player.HasMediaSeeking());
  graph.failures.insert(L"GetMediaSeeking");  // held already: not asked for again
  EXPECT_TRUE(playback.EnsureMediaSeeking());
}

TEST_F(PlaybackGraphTest, PositionsAreTheSourcesFrames) {
  ASSERT_TRUE(playback.EnsureMediaSeeking());
  FrameNumber frame = -1;
  EXPECT_TRUE(Failed(playback.SetCurrentPosition(3)));  // no file yet
  AddFile();
  EXPECT_EQ(playback.SetCurrentPosition(12), kOk);
  EXPECT_EQ(playback.GetCurrentPosition(frame), kOk);
  EXPECT_EQ(frame, 12);
}

TEST_F(PlaybackGraphTest, RunningFromStoppedRunsFromTheFrameSought) {
  ASSERT_TRUE(playback.EnsureMediaSeeking());
  AddFile();
  EXPECT_EQ(playback.SetCurrentPosition(4), kOk);
  EXPECT_EQ(playback.Run(), kOk);
  EXPECT_EQ(graph.runState, FakeMediaGraph::RunState::kRunning);
  EXPECT_EQ(graph.streamStartFrame, 4);
}

TEST_F(PlaybackGraphTest, RunningFromPausedStopsAndSeeksAgainFirst) {
  ASSERT_TRUE(playback.EnsureMediaSeeking());
  AddFile();
  EXPECT_EQ(playback.Pause(), kOk);
  EXPECT_EQ(playback.SetCurrentPosition(9), kOk);
  EXPECT_EQ(graph.streamStartFrame, 0);  // sought while paused: the stream time runs on from 0
  EXPECT_EQ(playback.Run(), kOk);
  EXPECT_EQ(graph.runState, FakeMediaGraph::RunState::kRunning);
  EXPECT_EQ(graph.streamStartFrame, 9);
  EXPECT_EQ(graph.currentFrame, 9);

  // A stop that fails leaves the graph as it was: no run.
  EXPECT_EQ(playback.Pause(), kOk);
  graph.failures.insert(L"Stop");
  const int starts = graph.starts;
  EXPECT_EQ(playback.Run(), kFail);
  EXPECT_EQ(graph.runState, FakeMediaGraph::RunState::kPaused);
  EXPECT_EQ(graph.starts, starts);
}

}  // namespace
}  // namespace zuna::test
