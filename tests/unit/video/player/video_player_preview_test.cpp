// The display chain: filter order for every switch setting and the cases that keep filters out.
#include "video/player/missing_decoder.h"
#include "video/player/player_fixture.h"

namespace zuna::test {
namespace {

class PreviewChainTest : public PlayerTest, public ::testing::WithParamInterface<int> {};

// Bit 0 pixel saturation, bit 1 brightness/contrast, bit 2 crosshairs.
TEST_P(PreviewChainTest, FiltersStandInTheirOrderInFrontOfTheRenderer) {
  const int bits = GetParam();
  const bool ps = bits & 1, bc = bits & 2, ch = bits & 4;
  VideoPlayer& p = MakeWithCamera();
  SwitchTools(ps, bc, ch);
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);

  Names expected;
  if (ps) expected.push_back(L"PixelSaturation");
  if (bc) expected.push_back(L"BrightnessContrast");
  if (ch) expected.push_back(L"Crosshairs");
  expected.push_back(L"EVR");
  EXPECT_EQ(PreviewChain(), expected);
  EXPECT_TRUE(p.HasMediaControl());
  EXPECT_EQ(log.Text(), L"");

  EXPECT_EQ(graph.prepared.count(TransformFilterKind::kCrosshairs), ch ? 1u : 0u);
  EXPECT_EQ(graph.prepared.count(TransformFilterKind::kPixelSaturation), ps ? 1u : 0u);
  if (ps) {
    const TransformFilterSetup& setup = graph.prepared[TransformFilterKind::kPixelSaturation];
    EXPECT_EQ(setup.hasDownstreamFilter, bc || ch);
    EXPECT_EQ(setup.subtype, kSubtypeYuy2);
    EXPECT_FALSE(setup.invertRows);
    EXPECT_TRUE(setup.recompute);
  }
  if (bc) {  // the window's percentages go in with the effect
    EXPECT_EQ(graph.colorValues[kColorControlBrightness], 0);
    EXPECT_EQ(graph.colorValues[kColorControlContrast], 0);
  }

  // A rebuild gives the same chain and latches the geometry again.
  ASSERT_EQ(p.RemoveFilters(), kOk);
  graph.prepared.clear();
  ASSERT_EQ(p.AddVideoCaptureSourceBaseFilter(camera), kOk);
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  EXPECT_EQ(PreviewChain(), expected);
  EXPECT_EQ(graph.prepared.count(TransformFilterKind::kCrosshairs), ch ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(EverySwitchSetting, PreviewChainTest, ::testing::Range(0, 8));

TEST_F(PlayerTest, NullRendererTakesNoDisplayFilter) {
  VideoPlayer& p = MakeWithCamera();
  SwitchTools(true, true, true);
  ASSERT_EQ(p.RemoveRendererFromGraph(), kOk);
  p.SetRendererKind(RendererKind::kNull);
  ASSERT_EQ(p.AddRendererToGraph(), kOk);
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  EXPECT_EQ(PreviewChain(), Names{L"Null Renderer"});
  EXPECT_TRUE(p.HasMediaControl());
  EXPECT_TRUE(graph.prepared.empty());
  EXPECT_EQ(graph.GraphNames(), (Names{L"CaptureSourceFilter", L"Null Renderer"}));
}

TEST_F(PlayerTest, AFileIsRenderedToTheNullRendererFromItsOutput) {
  VideoPlayer& p = Make();
  ASSERT_EQ(p.RemoveRendererFromGraph(), kOk);
  p.SetRendererKind(RendererKind::kNull);
  ASSERT_EQ(p.AddRendererToGraph(), kOk);
  ASSERT_EQ(p.CreateAndAddFileSourceBaseFilter(L"C:\\v\\night.avi"), kOk);
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  EXPECT_EQ(graph.ChainFrom(p.SourceFilter(), L"Output"), Names{L"Null Renderer"});
  EXPECT_TRUE(p.HasMediaControl());

  graph.failures.insert(L"RenderStream:None");
  EXPECT_EQ(p.RenderVideoPreviewStream(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"SEVERE: failure to render file stream\r\n"));
}

TEST_F(PlayerTest, AFileWithoutAnInstalledDecoderIsNamedByItsCode) {
  graph.offeredType.subtype = FourccGuid(MakeFourcc('M', 'J', 'P', 'G'));
  VideoPlayer& p = Make();
  ASSERT_EQ(p.CreateAndAddFileSourceBaseFilter(L"C:\\v\\night.avi"), kOk);
  graph.failures.insert(L"RenderStream:None");
  EXPECT_EQ(p.RenderVideoPreviewStream(), kFail);
  EXPECT_TRUE(PostedTimed(log,
                          L"SEVERE: no decoder for the \"MJPG\" video of this file is installed; to play it, install "
                          L"an MJPEG decoder, such as LAV Filters\r\n"));
  EXPECT_FALSE(PostedTimed(log, L"SEVERE: failure to render file stream\r\n"));
}

TEST(MissingDecoder, NamesTheCodeAndWhatToInstall) {
  EXPECT_EQ(MissingDecoderText(FourccGuid(MakeFourcc('L', 'A', 'G', 'S'))),
            L"SEVERE: no decoder for the \"LAGS\" video of this file is installed; to play it, install the Lagarith "
            L"Lossless Codec\r\n");
  EXPECT_EQ(MissingDecoderText(FourccGuid(MakeFourcc('X', '2', '6', '4'))),
            L"SEVERE: no decoder for the \"X264\" video of this file is installed; to play it, install a DirectShow "
            L"or Video for Windows decoder for it, such as LAV Filters\r\n");
  EXPECT_EQ(MissingDecoderText(kSubtypeRgb24), std::nullopt);
  EXPECT_EQ(MissingDecoderText(kNullGuid), std::nullopt);
}

TEST_F(PlayerTest, NullSubtypeKeepsThePictureFiltersOutButNotBrightnessContrast) {
  graph.connectionType.subtype = kNullGuid;
  VideoPlayer& p = MakeWithCamera();
  SwitchTools(true, true, true);
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  EXPECT_EQ(PreviewChain(), (Names{L"BrightnessContrast", L"EVR"}));
  EXPECT_TRUE(graph.prepared.empty());
}

TEST_F(PlayerTest, MissingColorControlStaysOutOfEveryChainWhileItsWindowIsOpen) {
  graph.colorControlFailure = ColorControlStep::kNotInstalled;
  VideoPlayer& p = MakeWithCamera();
  SwitchTools(true, true, true);
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  EXPECT_EQ(PreviewChain(), (Names{L"PixelSaturation", L"Crosshairs", L"EVR"}));

  ASSERT_EQ(p.RemoveFilters(), kOk);
  ASSERT_EQ(p.AddVideoCaptureSourceBaseFilter(camera), kOk);
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  EXPECT_TRUE(state.displayToolOn[kToolBrightnessContrast]);  // the window's switch is the window's
  EXPECT_EQ(PreviewChain(), (Names{L"PixelSaturation", L"Crosshairs", L"EVR"}));
}

TEST_F(PlayerTest, APlainPreviewLeavesTheDisplayFiltersOut) {
  VideoPlayer& p = MakeWithCamera();
  SwitchTools(true, true, true);
  ASSERT_EQ(p.RenderVideoPreviewStream(true), kOk);
  EXPECT_EQ(PreviewChain(), Names{L"EVR"});
  EXPECT_TRUE(p.HasMediaControl());

  ASSERT_EQ(p.RemoveFilters(), kOk);
  ASSERT_EQ(p.AddVideoCaptureSourceBaseFilter(camera), kOk);
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  EXPECT_EQ(PreviewChain().size(), 4u);
}

TEST_F(PlayerTest, SubtypeChangesAreReportedOnce) {
  VideoPlayer& p = MakeWithCamera();
  std::vector<MediaGuid> seen;
  p.SetSubtypeChangedHandler([&](const MediaGuid& subtype) { seen.push_back(subtype); });
  const auto rebuild = [&] {
    ASSERT_EQ(p.RemoveFilters(), kOk);
    ASSERT_EQ(p.AddVideoCaptureSourceBaseFilter(camera), kOk);
    ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  };
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  rebuild();
  graph.connectionType.subtype = kSubtypeRgb32;
  rebuild();
  EXPECT_EQ(seen, (std::vector<MediaGuid>{kSubtypeYuy2, kSubtypeRgb32}));
  EXPECT_EQ(p.ConnectedSubtype(), kSubtypeRgb32);
}

TEST_F(PlayerTest, AFilterThatCannotConnectComesOutAndThePictureStays) {
  VideoPlayer& p = MakeWithCamera();
  SwitchTools(true, false, true);
  graph.failures = {L"ConnectDirect:Crosshairs->EVR"};
  EXPECT_EQ(p.RenderVideoPreviewStream(), kFail);
  EXPECT_TRUE(PostedTimed(log,
                          L"SEVERE: cannot ConnectDirect inserted filter output pin with next filter input pin in "
                          L"ConnectWithNextFilter\r\n"));
  EXPECT_EQ(PreviewChain(), Names{L"EVR"});
  EXPECT_FALSE(graph.InGraph(graph.crosshairs));
  EXPECT_TRUE(p.HasMediaControl());
}

TEST_F(PlayerTest, QuietModeFailsTheFinalConnectionSilently) {
  VideoPlayer& p = MakeWithCamera();
  SwitchTools(false, false, true);
  graph.failures = {L"ConnectDirect:Crosshairs->EVR"};
  p.SetQuiet(true);
  EXPECT_EQ(p.RenderVideoPreviewStream(), kFail);
  EXPECT_EQ(log.Text(), L"");
  EXPECT_EQ(PreviewChain(), Names{L"EVR"});
}

TEST_F(PlayerTest, ConnectWithNextFilterFailureSteps) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"Disconnect:EVR", L"SEVERE: cannot disconnect next filter input pin in ConnectWithNextFilter\r\n"},
      {L"Disconnect:CaptureSourceFilter",
       L"SEVERE: cannot disconnect previous filter output pin in ConnectWithNextFilter\r\n"},
      {L"ConnectDirect:CaptureSourceFilter->Crosshairs",
       L"SEVERE: cannot ConnectDirect previous filter output pin with inserted filter input pin in "
       L"ConnectWithNextFilter\r\n"},
      {L"AddFilter:Crosshairs",
       L"SEVERE: cannot add crosshairs filter to filter graph in RenderVideoPreviewStream\r\n"},
  };
  for (const auto& [failure, text] : cases) {
    ScopedMemoryLog caseLog;
    FakeMediaGraph caseGraph;
    CommonState caseState;
    caseState.displayToolOn[kToolCrosshairs] = true;
    const FilterRef source = caseGraph.MakeCaptureSource();
    VideoPlayer p(caseGraph, caseState, &options);
    ASSERT_EQ(p.AddVideoCaptureSourceBaseFilter(source), kOk);
    caseGraph.failures = {failure};
    EXPECT_EQ(p.RenderVideoPreviewStream(), kFail) << failure;
    EXPECT_TRUE(PostedTimed(caseLog, text)) << failure;
    EXPECT_FALSE(caseGraph.InGraph(caseGraph.crosshairs)) << failure;
  }
  VideoPlayer& p = Make();
  EXPECT_EQ(p.ConnectWithNextFilter({}, graph.evr), kFail);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: called ConnectWithNextFilter with a NULL parameter\r\n"));
}

TEST_F(PlayerTest, PreviewChecksBeforeRendering) {
  VideoPlayer& p = Make();
  EXPECT_EQ(p.RenderVideoPreviewStream(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: attempt to render video stream with NULL source filter\r\n"));
  ASSERT_EQ(p.AddVideoCaptureSourceBaseFilter(camera), kOk);
  p.SetRendererKind(static_cast<RendererKind>(2));
  EXPECT_EQ(p.RenderVideoPreviewStream(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: attempt to render preview stream without setting the renderer type\r\n"));
  p.SetRendererKind(RendererKind::kEvr);
  graph.failures = {L"RenderStream:Preview"};
  EXPECT_EQ(p.RenderVideoPreviewStream(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"SEVERE: failure to render video preview stream\r\n"));
  graph.failures = {L"GetMediaControl"};
  EXPECT_EQ(p.RenderVideoPreviewStream(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"FATAL: IID_IMediaControl interface for filter graph is missing\r\n"));
}

TEST_F(PlayerTest, FileSourceTakesItsSizeFromTheRendererAndMayUseConverters) {
  VideoPlayer& p = Make();
  graph.connectionType.format = FormatKind::kVideoInfo2;
  graph.connectionType.width = 640;
  graph.connectionType.height = -480;
  state.geometry.Clear();
  ASSERT_EQ(p.CreateAndAddFileSourceBaseFilter(L"C:\\a.avi"), kOk);
  EXPECT_TRUE(p.FileSourceMode());
  state.displayToolOn[kToolCrosshairs] = true;
  graph.failures = {L"ConnectDirect:Crosshairs->EVR"};  // the intelligent connect steps in
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  EXPECT_EQ(state.geometry.Video(), (VideoSize{640, 480}));
  EXPECT_EQ(state.geometry.Display(), (VideoSize{640, 480}));
  const FilterRef source = p.SourceFilter();
  EXPECT_EQ(graph.ChainFrom(source, L"Output"), (Names{L"Crosshairs", L"EVR"}));

  ASSERT_EQ(p.RemoveFilters(), kOk);
  EXPECT_FALSE(p.FileSourceMode());
  EXPECT_EQ(graph.released, std::vector<FilterRef>{source});
}

TEST_F(PlayerTest, FileSourceKeepsAKnownSizeAndRefusesAbsurdOnes) {
  VideoPlayer& p = Make();
  graph.connectionType.format = FormatKind::kVideoInfo2;
  graph.connectionType.width = 100000;
  state.geometry.Clear();
  ASSERT_EQ(p.CreateAndAddFileSourceBaseFilter(L"C:\\a.avi"), kOk);
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  EXPECT_FALSE(state.geometry.HasVideo());

  graph.failures = {L"AddSourceFilterForFile"};
  EXPECT_EQ(p.CreateAndAddFileSourceBaseFilter(L"C:\\b.avi"), kFail);
  EXPECT_TRUE(PostedTimed(log, L"SEVERE: failure to add the video file source filter to the filter graph\r\n"));
}

}  // namespace
}  // namespace zuna::test
