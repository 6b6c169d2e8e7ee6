// The recording chain: writer, codec, Smart Tee subtype and the time lapse filter.
#include "video/player/player_fixture.h"

namespace zuna::test {
namespace {

class CaptureChainTest : public PlayerTest {
 protected:
  void SetUp() override {
    MakeWithCamera();
    ASSERT_EQ(player->RenderVideoPreviewStream(), kOk);
  }
  FilterRef codec = graph.MakeFilter(L"codec", {{PinDirection::kInput, L"In"}, {PinDirection::kOutput, L"Out"}});
};

TEST_F(CaptureChainTest, WithoutACodecTheCapturePinFeedsTheWriter) {
  ASSERT_EQ(player->RenderVideoCaptureStream(L"C:\\v\\a.avi", {}, L""), kOk);
  EXPECT_EQ(CaptureChain(), Names{L"AVI Writer"});
  EXPECT_EQ(graph.sinkPaths, std::vector<std::wstring>{L"C:\\v\\a.avi"});
  EXPECT_EQ(player->CaptureSubtype(), kSubtypeYuy2);  // read at the writer's input
  EXPECT_EQ(PreviewChain(), Names{L"EVR"});
}

TEST_F(CaptureChainTest, WithACodecTheSubtypeComesFromTheTee) {
  graph.connectionType.subtype = kSubtypeRgb32;
  ASSERT_EQ(player->RenderVideoCaptureStream(L"C:\\v\\a.avi", codec, L"Lagarith Lossless Codec"), kOk);
  EXPECT_EQ(CaptureChain(), (Names{L"Smart Tee", L"Lagarith Lossless Codec", L"AVI Writer"}));
  EXPECT_EQ(player->CaptureSubtype(), kSubtypeRgb32);
}

TEST_F(CaptureChainTest, TimeLapseNeedsTheOptionOnAndACount) {
  struct Case {
    bool registered, enabled;
    int count;
    bool inserted;
  };
  const Case cases[] = {
      {true, true, 3, true}, {true, true, 0, false}, {true, false, 3, false}, {false, false, 3, false}};
  for (const Case& c : cases) {
    OptionTables caseOptions;
    if (c.registered) caseOptions.RegisterBoolean(kTimeLapseEnableOption, c.enabled);
    FakeMediaGraph caseGraph;
    CommonState caseState;
    caseState.timeLapseCount = c.count;
    const FilterRef source = caseGraph.MakeCaptureSource();
    VideoPlayer p(caseGraph, caseState, &caseOptions);
    ASSERT_EQ(p.AddVideoCaptureSourceBaseFilter(source), kOk);
    ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
    ASSERT_EQ(p.RenderVideoCaptureStream(L"C:\\v\\a.avi", {}, L""), kOk);
    const Names expected = c.inserted ? Names{L"CaptureTimeLapse", L"AVI Writer"} : Names{L"AVI Writer"};
    EXPECT_EQ(caseGraph.ChainFrom(source, L"Capture"), expected) << c.registered << c.enabled << c.count;
    EXPECT_EQ(caseGraph.prepared.count(TransformFilterKind::kTimeLapse), c.inserted ? 1u : 0u);
  }
}

TEST_F(CaptureChainTest, TimeLapseGoesInFrontOfTheCodecWithItsFlagsClear) {
  options.RegisterBoolean(kTimeLapseEnableOption, true);
  state.timeLapseCount = 10;
  ASSERT_EQ(player->RenderVideoCaptureStream(L"C:\\v\\a.avi", codec, L"Lagarith Lossless Codec"), kOk);
  EXPECT_EQ(CaptureChain(), (Names{L"Smart Tee", L"CaptureTimeLapse", L"Lagarith Lossless Codec", L"AVI Writer"}));
  const TransformFilterSetup& setup = graph.prepared[TransformFilterKind::kTimeLapse];
  EXPECT_FALSE(setup.invertRows);
  EXPECT_FALSE(setup.hasDownstreamFilter);
  EXPECT_TRUE(setup.recompute);
}

TEST(CaptureChain, TimeLapseTypeMakesTheCountSecondsAndTheRecordingTellsItsMode) {
  for (const bool seconds : {true, false}) {
    OptionTables options;
    options.RegisterBoolean(kTimeLapseEnableOption, true);
    options.RegisterBoolean(kTimeLapseTypeOption, seconds);
    FakeMediaGraph graph;
    CommonState state;
    state.timeLapseCount = 10;
    const FilterRef source = graph.MakeCaptureSource();
    VideoPlayer player(graph, state, &options);
    ASSERT_EQ(player.AddVideoCaptureSourceBaseFilter(source), kOk);
    ASSERT_EQ(player.RenderVideoPreviewStream(), kOk);
    EXPECT_FALSE(player.RecordingTimeLapse());
    ASSERT_EQ(player.RenderVideoCaptureStream(L"C:\\v\\a.avi", {}, L""), kOk);
    EXPECT_EQ(graph.prepared[TransformFilterKind::kTimeLapse].intervalMode, seconds);
    ASSERT_TRUE(player.RecordingTimeLapse());
    EXPECT_EQ(player.RecordingTimeLapse()->intervalMode, seconds);
    EXPECT_EQ(player.RecordingTimeLapse()->count, 10);
  }
}

TEST_F(CaptureChainTest, AFailedTimeLapseStillRecordsEveryFrame) {
  options.RegisterBoolean(kTimeLapseEnableOption, true);
  state.timeLapseCount = 10;
  graph.failures = {L"ConnectDirect:CaptureTimeLapse->AVI Writer"};
  EXPECT_EQ(player->RenderVideoCaptureStream(L"C:\\v\\a.avi", {}, L""), kFail);
  EXPECT_EQ(CaptureChain(), Names{L"AVI Writer"});
  EXPECT_FALSE(graph.InGraph(graph.timeLapse));
  EXPECT_FALSE(player->RecordingTimeLapse());
}

TEST_F(CaptureChainTest, FailuresNameTheirStep) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"CreateRecordingSink", L"SEVERE: SetOutputFileName method has failed, no recording is possible\r\n"},
      {L"AddFilter:Lagarith Lossless Codec", L"SEVERE: unable to add the codec to the recording stream\r\n"},
      {L"RenderStream:Capture", L"SEVERE: unable to render the recording stream, recording will not occur\r\n"},
  };
  for (const auto& [failure, text] : cases) {
    graph.failures = {failure};
    EXPECT_EQ(player->RenderVideoCaptureStream(L"C:\\v\\a.avi", codec, L"Lagarith Lossless Codec"), kFail);
    EXPECT_TRUE(PostedTimed(log, text)) << failure;
    graph.failures.clear();
    ASSERT_EQ(player->RemoveFilters(), kOk);
    ASSERT_EQ(player->AddVideoCaptureSourceBaseFilter(camera), kOk);
    ASSERT_EQ(player->RenderVideoPreviewStream(), kOk);
  }
  EXPECT_EQ(player->RenderVideoCaptureStream(L"", {}, L""), kFail);  // no file name, no writer
  EXPECT_EQ(graph.sinkPaths.size(), 2u);
}

TEST_F(PlayerTest, CaptureNeedsASource) {
  VideoPlayer& p = Make();
  EXPECT_EQ(p.RenderVideoCaptureStream(L"C:\\v\\a.avi", {}, L""), kFail);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: attempt to render capture stream with NULL source filter\r\n"));
  EXPECT_TRUE(graph.sinkPaths.empty());
}

TEST_F(CaptureChainTest, RecordingTotalsComeFromTheGraph) {
  RecordingTotals totals;
  EXPECT_EQ(player->GetRecordingTotals(totals), kFail);  // no recording yet
  graph.recordingTotals = RecordingTotals{300, 4, 3, true, 133'000'000'000'000'000};
  ASSERT_EQ(player->GetRecordingTotals(totals), kOk);
  EXPECT_EQ(totals.framesWritten, 300u);
  EXPECT_EQ(totals.framesDropped, 4u);
  EXPECT_EQ(totals.framesDroppedByQueue, 3u);
  EXPECT_TRUE(totals.firstFrameKnown);
  EXPECT_EQ(totals.firstFrameUtc, 133'000'000'000'000'000u);
}

}  // namespace
}  // namespace zuna::test
