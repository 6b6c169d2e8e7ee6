// Media seeking in frames: the graph's interface taken once, the frame format on the file source,
// and positions that go nowhere without it.
#include "video/player/player_fixture.h"

namespace zuna::test {
namespace {

class SeekingTest : public PlayerTest {
 protected:
  SeekingTest() {
    state.programKind = ProgramKind::kPlayback;
    Make();
  }
};

TEST_F(SeekingTest, TakesTheGraphsMediaSeekingOrReportsItFatal) {
  EXPECT_EQ(player->SetMediaSeekingInterface(), kOk);
  EXPECT_TRUE(player->HasMediaSeeking());

  FakeMediaGraph failing;
  failing.failures.insert(L"GetMediaSeeking");
  VideoPlayer other(failing, state, nullptr);
  EXPECT_EQ(other.SetMediaSeekingInterface(), kFail);
  EXPECT_FALSE(other.HasMediaSeeking());
  EXPECT_TRUE(PostedTimed(log, L"FATAL: unable to set media seeking interface\r\n"));
}

TEST_F(SeekingTest, WithoutAGraphTheSeekingIsALogicError) {
  FakeMediaGraph noGraph;
  noGraph.graphSetupFailure = GraphSetupStep::kGraph;
  VideoPlayer other(noGraph, state, nullptr);
  EXPECT_EQ(other.SetMediaSeekingInterface(), kFail);
  EXPECT_TRUE(Posted(log, L"Logic error: call to SetMediaSeekingInterface has NULL filter graph member\r\n"));
}

TEST_F(SeekingTest, FramePositionsGoToTheFileSourceOnceTheFormatIsSet) {
  std::int64_t frame = -1;
  EXPECT_EQ(player->SetCurrentFrame(3), kFail);  // no source, no format
  ASSERT_EQ(player->SetMediaSeekingInterface(), kOk);
  EXPECT_EQ(player->SetFrameTimeFormat(), kFail);  // still no source
  ASSERT_EQ(player->CreateAndAddFileSourceBaseFilter(L"C:\\v\\a.avi"), kOk);
  ASSERT_EQ(player->SetFrameTimeFormat(), kOk);
  EXPECT_EQ(graph.frameSource, player->SourceFilter());
  EXPECT_EQ(player->SetCurrentFrame(7), kOk);
  EXPECT_EQ(player->GetCurrentFrame(frame), kOk);
  EXPECT_EQ(frame, 7);
  EXPECT_EQ(player->SetCurrentFrame(-1), kFail);
  EXPECT_EQ(graph.currentFrame, 7);  // a frame before the first is refused before the graph
}

TEST_F(SeekingTest, TeardownLetsGoOfTheSourcesSeeking) {
  ASSERT_EQ(player->SetMediaSeekingInterface(), kOk);
  ASSERT_EQ(player->CreateAndAddFileSourceBaseFilter(L"C:\\v\\a.avi"), kOk);
  ASSERT_EQ(player->SetFrameTimeFormat(), kOk);
  ASSERT_EQ(player->RemoveFilters(), kOk);
  EXPECT_FALSE(player->HasFrameTimeFormat());
  EXPECT_FALSE(graph.frameSource);
  EXPECT_EQ(player->SetCurrentFrame(1), kFail);
  EXPECT_TRUE(player->HasMediaSeeking());  // the graph's own stays
}

TEST_F(SeekingTest, AFailedFrameFormatLeavesNoFormat) {
  ASSERT_EQ(player->SetMediaSeekingInterface(), kOk);
  ASSERT_EQ(player->CreateAndAddFileSourceBaseFilter(L"C:\\v\\a.avi"), kOk);
  graph.results[L"SetFrameTimeFormat"] = kNoInterface;
  EXPECT_EQ(player->SetFrameTimeFormat(), kNoInterface);
  EXPECT_FALSE(player->HasFrameTimeFormat());
  EXPECT_EQ(log.Text(), L"");  // the caller reports it
}

}  // namespace
}  // namespace zuna::test
