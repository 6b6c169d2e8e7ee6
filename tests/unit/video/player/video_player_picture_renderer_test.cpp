// The window renderer in the EVR's place: when the EVR cannot be made, take the stream or run it,
// and when the user chooses it; and the EVR kept for a stream that fails with both.
#include "video/player/player_fixture.h"

namespace zuna::test {
namespace {

const std::wstring kInstead = L" - the Window Renderer shows the video instead\r\n";

TEST_F(PlayerTest, AnEvrThatCannotBeMadeLeavesTheWindowRendererWithOneWarning) {
  graph.videoRendererFailure = VideoRendererStep::kCreate;
  VideoPlayer& p = Make();
  EXPECT_EQ(log.Text().find(L"SEVERE"), std::wstring::npos);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: cannot create EVR filter" + kInstead));
  EXPECT_EQ(p.PictureRendererInUse(), PictureRenderer::kWindow);
  EXPECT_EQ(graph.GraphNames(), Names{L"Window Renderer"});
  EXPECT_EQ(p.SetClippingWindow(9), kOk);
  EXPECT_EQ(graph.videoWindow, 9u);
}

TEST_F(PlayerTest, AStreamTheEvrRefusesGoesToTheWindowRendererInItsWindow) {
  graph.failures = {L"Render:CaptureSourceFilter->EVR"};
  VideoPlayer& p = MakeWithCamera();
  ASSERT_EQ(p.SetClippingWindow(7), kOk);
  SwitchTools(false, false, true);
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  EXPECT_EQ(PreviewChain(), (Names{L"Crosshairs", L"Window Renderer"}));
  EXPECT_EQ(graph.videoWindow, 7u);
  EXPECT_EQ(log.Text().find(L"WARNING"), log.Text().rfind(L"WARNING"));  // one line
  EXPECT_TRUE(PostedTimed(log, L"WARNING: cannot connect the video stream to the EVR" + kInstead));
  EXPECT_EQ(p.PictureRendererLine(), L"Video renderer: Window Renderer\r\n");
}

TEST_F(PlayerTest, AStreamThatFailsWithBothRenderersKeepsTheEvr) {
  graph.failures = {L"RenderStream:Preview"};
  VideoPlayer& p = MakeWithCamera();
  EXPECT_EQ(p.RenderVideoPreviewStream(), kFail);
  EXPECT_EQ(p.PictureRendererInUse(), PictureRenderer::kEnhanced);
  EXPECT_EQ(graph.GraphNames(), (Names{L"CaptureSourceFilter", L"EVR"}));
  EXPECT_EQ(log.Text().find(L"WARNING"), std::wstring::npos);
}

TEST_F(PlayerTest, AGraphTheEvrCannotRunRunsWithTheWindowRendererBehindTheSameFilters) {
  VideoPlayer& p = MakeWithCamera();
  SwitchTools(true, false, false);
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  graph.failures = {L"Run"};
  EXPECT_EQ(p.Run(), kFail);  // the window renderer cannot run it either: the EVR comes back
  EXPECT_EQ(PreviewChain(), (Names{L"PixelSaturation", L"EVR"}));

  // The EVR's run fails; the window renderer's succeeds.
  graph.failures.clear();
  graph.runFailuresLeft = 1;
  EXPECT_EQ(p.Run(), kOk);
  EXPECT_TRUE(p.IsRunning());
  EXPECT_EQ(PreviewChain(), (Names{L"PixelSaturation", L"Window Renderer"}));
  EXPECT_TRUE(PostedTimed(log, L"WARNING: the EVR cannot run this stream" + kInstead));
}

TEST_F(PlayerTest, TheUsersChoiceOfTheWindowRendererIsNamedWithoutAWarning) {
  VideoPlayer& p = Make();
  ASSERT_EQ(p.SetClippingWindow(4), kOk);
  p.ApplyPictureRendererChoice(true);
  EXPECT_EQ(graph.GraphNames(), Names{L"Window Renderer"});
  EXPECT_EQ(graph.videoWindow, 4u);
  EXPECT_TRUE(PostedUntimed(log, L"Video renderer: Window Renderer\r\n"));
  EXPECT_EQ(log.Text().find(L"WARNING"), std::wstring::npos);

  FakeMediaGraph other;
  VideoPlayer q(other, state, &options);
  q.ApplyPictureRendererChoice(false);
  EXPECT_EQ(other.GraphNames(), Names{L"EVR"});
  EXPECT_TRUE(PostedUntimed(log, L"Video renderer: Enhanced Video Renderer\r\n"));
}

}  // namespace
}  // namespace zuna::test
