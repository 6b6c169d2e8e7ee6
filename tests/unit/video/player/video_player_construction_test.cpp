// Construction, renderers, teardown, colour control and the small graph operations.
#include "video/player/player_fixture.h"

namespace zuna::test {
namespace {

TEST_F(PlayerTest, ConstructionLeavesTheEvrAloneInTheGraph) {
  VideoPlayer& p = Make();
  EXPECT_FALSE(p.ConstructionFailed());
  EXPECT_EQ(graph.GraphNames(), Names{L"EVR"});
  EXPECT_EQ(p.CurrentRenderer(), graph.evr);
  EXPECT_EQ(p.CurrentRendererKind(), RendererKind::kEvr);
  EXPECT_TRUE(graph.preservedAspectRatio);  // the capture program keeps the picture's aspect
  EXPECT_EQ(state.featureUnavailable, (std::array<bool, 4>{}));
  EXPECT_EQ(log.Text(), L"");
}

TEST_F(PlayerTest, PlaybackProgramAsksForNoAspectCorrection) {
  state.programKind = ProgramKind::kPlayback;
  Make();
  EXPECT_EQ(graph.preservedAspectRatio, false);
}

TEST_F(PlayerTest, EachGraphStepFailureIsFatalWithItsOwnText) {
  const std::pair<GraphSetupStep, const wchar_t*> cases[] = {
      {GraphSetupStep::kGraph, L"FATAL: cannot create video filter graph builder\r\n"},
      {GraphSetupStep::kBuilder, L"FATAL: cannot create Type 2 video filter graph builder\r\n"},
      {GraphSetupStep::kBinding, L"FATAL: Type 2 video filter graph builder cannot set filter graph builder\r\n"},
  };
  for (const auto& [step, text] : cases) {
    ScopedMemoryLog caseLog;
    FakeMediaGraph caseGraph;
    caseGraph.graphSetupFailure = step;
    VideoPlayer p(caseGraph, state, &options);
    EXPECT_TRUE(p.ConstructionFailed()) << text;
    EXPECT_TRUE(PostedTimed(caseLog, text)) << text;
    EXPECT_TRUE(caseGraph.GraphNames().empty()) << text;
  }
}

TEST_F(PlayerTest, RendererFailures) {
  graph.videoRendererFailure = VideoRendererStep::kDisplayControl;
  graph.windowRendererFails = true;
  graph.failures = {L"CreateNullRenderer"};
  VideoPlayer& p = Make();
  EXPECT_TRUE(PostedTimed(log, L"SEVERE: cannot get display control interface for EVR\r\n"));
  EXPECT_TRUE(PostedTimed(log, L"WARNING: cannot create Null Renderer filter\r\n"));
  EXPECT_TRUE(p.ConstructionFailed());           // the Null Renderer is needed for display-off recordings
  EXPECT_EQ(graph.GraphNames(), Names{L"EVR"});  // the renderer itself still takes the stream

  // Without a display control the renderer's window cannot be sized.
  EXPECT_EQ(p.SetClippingWindow(77), kFail);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: trying to set clipping window without a renderer\r\n"));
  EXPECT_EQ(p.UpdateDisplaySize(), kFail);
  EXPECT_TRUE(PostedTimed(log,
                          L"Logic error: attempt to update primary EVR frame size with NULL display control or "
                          L"clipping window handle\r\n"));
}

TEST_F(PlayerTest, VideoRendererStepsNameTheirFailure) {
  const std::pair<VideoRendererStep, const wchar_t*> cases[] = {
      {VideoRendererStep::kCreate, L"SEVERE: cannot create EVR filter\r\n"},
      {VideoRendererStep::kService, L"SEVERE: cannot get service interface for EVR\r\n"},
      {VideoRendererStep::kAspectRatio, L"WARNING: cannot set aspect ratio for EVR display window\r\n"},
  };
  for (const auto& [step, text] : cases) {
    ScopedMemoryLog caseLog;
    FakeMediaGraph caseGraph;
    caseGraph.videoRendererFailure = step;
    caseGraph.windowRendererFails = true;
    VideoPlayer p(caseGraph, state, &options);
    EXPECT_FALSE(p.ConstructionFailed()) << text;
    EXPECT_TRUE(PostedTimed(caseLog, text)) << text;
    // Only a failed aspect ratio leaves a window to show the picture in.
    EXPECT_EQ(Succeeded(p.SetClippingWindow(5)), step == VideoRendererStep::kAspectRatio) << text;
  }
}

TEST_F(PlayerTest, ColorControlFailuresDisableBrightnessContrast) {
  struct Case {
    std::function<void(FakeMediaGraph&)> setUp;
    const wchar_t* text;
  };
  const auto failAt = [](ColorControlStep step) { return [step](FakeMediaGraph& g) { g.colorControlFailure = step; }; };
  const Case cases[] = {
      {failAt(ColorControlStep::kNotInstalled),
       L"\r\nThe DMO color control filter is not installed - no brightness/contrast\r\n"},
      {failAt(ColorControlStep::kCreate),
       L"Cannot create base filter for color control filter - no brightness/contrast\r\n"},
      {failAt(ColorControlStep::kMissingInterface),
       L"Cannot query interface on color control filter - no brightness/contrast\r\n"},
      {failAt(ColorControlStep::kInitialize),
       L"Cannot initialize the DMO Wrapper on color control filter - no brightness/contrast\r\n"},
      {failAt(ColorControlStep::kPropertyStore),
       L"Cannot obtain property store for color control filter - no brightness/contrast\r\n"},
      {[](FakeMediaGraph& g) { g.wrapperHasPins = false; },
       L"WARNING: cannot get pins for brightness contrast - feature not implemented\r\n"},
  };
  for (const Case& c : cases) {
    ScopedMemoryLog caseLog;
    FakeMediaGraph caseGraph;
    CommonState caseState;
    c.setUp(caseGraph);
    VideoPlayer p(caseGraph, caseState, &options);
    EXPECT_FALSE(p.ConstructionFailed()) << c.text;
    EXPECT_TRUE(caseState.featureUnavailable[kToolBrightnessContrast]) << c.text;
    EXPECT_TRUE(PostedTimed(caseLog, c.text)) << c.text;
    EXPECT_TRUE(PostedTimed(caseLog, L"WARNING: cannot create brightness/contrast filter - feature is disabled\r\n"));
  }
}

TEST_F(PlayerTest, MissingTransformFiltersAreMarkedUnavailable) {
  graph.failures = {L"GetTransformFilter:PixelSaturation", L"EnumeratePins:crosshairs",
                    L"GetTransformFilter:TimeLapse"};
  VideoPlayer& p = Make();
  EXPECT_FALSE(p.ConstructionFailed());
  EXPECT_TRUE(state.featureUnavailable[kToolPixelSaturation]);
  EXPECT_TRUE(state.featureUnavailable[kToolCrosshairs]);
  EXPECT_FALSE(state.featureUnavailable[kToolBrightnessContrast]);
  EXPECT_TRUE(p.TimeLapseUnavailable());
  EXPECT_TRUE(PostedTimed(
      log, L"WARNING: IID_IBaseFilter interface is missing for pixel saturation - feature not implemented\r\n"));
  EXPECT_TRUE(PostedTimed(log, L"WARNING: cannot get pins for crosshairs - feature not implemented\r\n"));
  EXPECT_TRUE(
      PostedTimed(log, L"WARNING: IID_IBaseFilter interface is missing for time lapse - feature not implemented\r\n"));
}

TEST(ColorControlLevel, PercentagesMapOntoTheEffectsRange) {
  EXPECT_EQ(ColorControlLevel(0), -127);
  EXPECT_EQ(ColorControlLevel(50), 0);
  EXPECT_EQ(ColorControlLevel(100), 127);
  EXPECT_EQ(ColorControlLevel(25), -64);  // 6350 / 100 truncates to 63
  EXPECT_EQ(ColorControlLevel(-3), -127);
  EXPECT_EQ(ColorControlLevel(250), 127);
}

TEST_F(PlayerTest, BrightnessContrastLeavesAValueAtMinusOne) {
  VideoPlayer& p = Make();
  p.SetBrightnessContrast(100, -1);
  EXPECT_EQ(graph.colorValues, (std::map<int, std::int32_t>{{kColorControlBrightness, 127}}));
  p.SetBrightnessContrast(-1, 0);
  EXPECT_EQ(graph.colorValues[kColorControlContrast], -127);
  EXPECT_EQ(p.BrightnessPercent(), 100);
  graph.failures = {L"SetColorControlValue:1", L"SetColorControlValue:2"};
  p.SetBrightnessContrast(10, 10);
  EXPECT_TRUE(PostedTimed(log, L"\r\nCannot set render brightness control\r\n"));
  EXPECT_TRUE(PostedTimed(log, L"\r\nCannot set contrast control\r\n"));
}

TEST_F(PlayerTest, BrightnessContrastWithoutTheEffectIsALogicError) {
  graph.colorControlFailure = ColorControlStep::kNotInstalled;
  Make().SetBrightnessContrast(40, 60);
  EXPECT_TRUE(graph.colorValues.empty());
  EXPECT_TRUE(
      PostedTimed(log, L"Logic error: attempt to set brightness/contrast control with NULL property store cache\r\n"));
}

TEST_F(PlayerTest, TeardownLeavesOnlyTheRenderer) {
  VideoPlayer& p = MakeWithCamera();
  SwitchTools(true, true, true);
  options.RegisterBoolean(kTimeLapseEnableOption, true);
  state.timeLapseCount = 5;
  const FilterRef codec = graph.MakeFilter(L"codec", {{PinDirection::kInput, L"In"}, {PinDirection::kOutput, L"Out"}});
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  ASSERT_EQ(p.RenderVideoCaptureStream(L"C:\\v\\a.avi", codec, L"Lagarith Lossless Codec"), kOk);
  const FilterRef sink = p.RecordingSink();
  ASSERT_EQ(p.Run(), kOk);
  ASSERT_TRUE(p.IsRunning());

  ASSERT_EQ(p.RemoveFilters(), kOk);
  EXPECT_EQ(graph.GraphNames(), Names{L"EVR"});
  EXPECT_FALSE(graph.AnyConnection());
  EXPECT_FALSE(p.IsRunning());
  EXPECT_EQ(graph.runState, FakeMediaGraph::RunState::kStopped);
  EXPECT_EQ(graph.released, std::vector<FilterRef>{sink});  // the camera's filter stays with its device
  EXPECT_FALSE(p.SourceFilter());
  EXPECT_FALSE(p.HasMediaControl());
  EXPECT_FALSE(graph.holdsMediaControl);

  // The next build starts from the same single renderer.
  ASSERT_EQ(p.AddVideoCaptureSourceBaseFilter(camera), kOk);
  ASSERT_EQ(p.RenderVideoPreviewStream(), kOk);
  EXPECT_EQ(PreviewChain(), (Names{L"PixelSaturation", L"BrightnessContrast", L"Crosshairs", L"EVR"}));
}

TEST_F(PlayerTest, TeardownFailures) {
  VideoPlayer& p = MakeWithCamera();
  graph.clearFailure = ClearStep::kNoEnumerator;
  EXPECT_EQ(p.RemoveFilters(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: Filter graph filters enumerator is NULL\r\n"));
  graph.clearFailure = ClearStep::kEnumerate;
  EXPECT_EQ(p.RemoveFilters(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: Failure to enumerate filter graph filters\r\n"));
  graph.clearFailure.reset();
  graph.failures = {L"RemoveFilter:CaptureSourceFilter"};
  EXPECT_EQ(p.RemoveFilters(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: Failure to remove filter from filter graph\r\n"));
  EXPECT_EQ(graph.GraphNames(), (Names{L"EVR", L"CaptureSourceFilter"}));
}

TEST_F(PlayerTest, RendererSwapForADarkDisplay) {
  VideoPlayer& p = Make();
  ASSERT_EQ(p.RemoveRendererFromGraph(), kOk);
  EXPECT_TRUE(graph.GraphNames().empty());
  p.SetRendererKind(RendererKind::kNull);
  ASSERT_EQ(p.AddRendererToGraph(), kOk);
  EXPECT_EQ(graph.GraphNames(), Names{L"Null Renderer"});
  ASSERT_EQ(p.RemoveFilters(), kOk);
  EXPECT_EQ(graph.GraphNames(), Names{L"Null Renderer"});
  p.SetRenderer(RendererKind::kEvr);
  EXPECT_EQ(graph.GraphNames(), Names{L"EVR"});
  EXPECT_EQ(p.CurrentRenderer(), graph.evr);

  ASSERT_EQ(p.RemoveRendererFromGraph(), kOk);
  p.SetRendererKind(static_cast<RendererKind>(2));
  EXPECT_EQ(p.AddRendererToGraph(), kFail);
  EXPECT_TRUE(PostedUntimed(log, L"Logic error - adding invalid renderer to filter graph\r\n"));
  p.SetRendererKind(RendererKind::kEvr);
  graph.failures = {L"AddFilter:EVR"};
  EXPECT_EQ(p.AddRendererToGraph(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"SEVERE: failed to add renderer to filter graph\r\n"));
}

TEST_F(PlayerTest, StreamFormatResultsNameTheirCause) {
  VideoPlayer& p = Make();
  MediaTypeInfo type = graph.connectionType;
  EXPECT_EQ(p.SetStreamFormat(&type), kFail);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: attempt to set video stream format with no source filter\r\n"));
  ASSERT_EQ(p.AddVideoCaptureSourceBaseFilter(camera), kOk);
  EXPECT_EQ(p.SetStreamFormat(nullptr), kFail);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: attempt to set video stream format with NULL media type parameter\r\n"));

  const std::pair<Status, const wchar_t*> cases[] = {
      {kNoInterface, L"SEVERE: IAMStreamConfig interface is missing\r\n"},
      {kPointer, L"WARNING: attempt to set video stream format with NULL stream configuration interface\r\n"},
      {kFail, L"SEVERE: stream configuration interface failed to set video format\r\n"},
  };
  for (const auto& [result, text] : cases) {
    graph.results[L"SetStreamFormat"] = result;
    EXPECT_EQ(p.SetStreamFormat(&type), kFail);
    EXPECT_TRUE(PostedTimed(log, text)) << text;
  }
  graph.results.clear();
  EXPECT_EQ(p.SetStreamFormat(&type), kOk);
  ASSERT_EQ(graph.streamFormats.size(), 1u);
  EXPECT_EQ(graph.streamFormats[0].width, 720);
}

TEST_F(PlayerTest, FindPinSkipsHiddenPinsAndMatchesNames) {
  VideoPlayer& p = Make();
  const FilterRef tee = graph.MakeFilter(L"tee", {{PinDirection::kInput, L"Input"},
                                                  {PinDirection::kOutput, L"~Hidden"},
                                                  {PinDirection::kOutput, L"Capture"},
                                                  {PinDirection::kOutput, L"Preview"}});
  std::vector<PinInfo> pins;
  graph.EnumeratePins(tee, &pins);
  EXPECT_EQ(p.FindPin(tee, PinDirection::kOutput), pins[2].pin);
  EXPECT_EQ(p.FindPin(tee, PinDirection::kOutput, L"Preview"), pins[3].pin);
  EXPECT_EQ(p.FindPin(tee, PinDirection::kInput), pins[0].pin);
  EXPECT_FALSE(p.FindPin(tee, PinDirection::kOutput, L"capture"));  // names compare exactly
  graph.failures = {L"EnumeratePins:tee"};
  EXPECT_FALSE(p.FindPin(tee, PinDirection::kInput));
  EXPECT_TRUE(Posted(log, L"SEVERE: cannot enumerate pins on filter"));
}

TEST_F(PlayerTest, ClippingWindowDisplaySizeAndRepaint) {
  VideoPlayer& p = Make();
  EXPECT_EQ(p.RepaintVideo(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: attempt to repaint frame with no current clipping window\r\n"));
  EXPECT_EQ(p.SetClippingWindow(0x1234), kOk);
  EXPECT_EQ(graph.videoWindow, 0x1234u);
  state.geometry.DrawAt({360, 240});
  EXPECT_EQ(p.UpdateDisplaySize(), kOk);
  EXPECT_EQ(graph.videoPosition, (std::pair<int, int>{360, 240}));
  EXPECT_EQ(p.RepaintVideo(), kOk);
  graph.failures = {L"ShowIn"};
  EXPECT_EQ(p.SetClippingWindow(0x99), kFail);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: cannot set clipping window in EVR\r\n"));
}

}  // namespace
}  // namespace zuna::test
