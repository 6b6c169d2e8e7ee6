// Starting and stopping the camera over fake devices, codecs and graph.
#include <gtest/gtest.h>

#include "capture/devices/camera_control.h"
#include "capture/devices/fake_device_catalog.h"
#include "support/memory_log.h"
#include "video/player/fake_media_graph.h"
#include "video/player/log_checks.h"

namespace zuna::test {
namespace {

class CameraTest : public ::testing::Test {
 protected:
  CameraTest() {
    catalog.makeFilter = [this] { return graph.MakeCaptureSource(); };
    codecCatalog.makeFilter = [this](const std::wstring& name) {
      return graph.MakeFilter(name, {{PinDirection::kInput, L"In"}, {PinDirection::kOutput, L"Out"}});
    };
  }

  void Attach(std::vector<FakeDevice> attached) {
    catalog.devices = std::move(attached);
    ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  }
  Status Start(const std::wstring& path = L"") { return StartCamera({devices, player, codecs, state}, path); }
  FilterRef Camera() {
    return devices.Devices().at(static_cast<std::size_t>(devices.CurrentDeviceIndex())).sourceFilter;
  }

  ScopedMemoryLog log;
  CommonState state;
  FakeMediaGraph graph;
  FakeDeviceCatalog catalog;
  FakeCodecCatalog codecCatalog;
  VideoDeviceList devices{catalog, state};
  CodecList codecs{codecCatalog};
  OptionTables options;
  VideoPlayer player{graph, state, &options};
};

TEST_F(CameraTest, PreviewStartsWithTheCurrentFormat) {
  Attach({DigitalCamera(L"Cam")});
  devices.Devices()[0].digitalFormatIndex = 1;  // 1280x720 at 30
  state.displayToolOn[kToolCrosshairs] = true;
  ASSERT_EQ(Start(), kOk);
  EXPECT_TRUE(player.IsRunning());
  EXPECT_EQ(state.geometry.Video(), (VideoSize{1280, 720}));
  ASSERT_EQ(graph.streamFormats.size(), 1u);
  EXPECT_EQ(graph.streamFormats[0].subtype, kSubtypeRgb32);
  EXPECT_EQ(graph.ChainFrom(Camera(), L"Preview"), (std::vector<std::wstring>{L"Crosshairs", L"EVR"}));
  FilterRef named;
  ASSERT_EQ(graph.FindFilterByName(L"CaptureSourceFilter", &named), kOk);
  EXPECT_EQ(named, Camera());
  EXPECT_TRUE(graph.sinkPaths.empty());
  EXPECT_EQ(log.Text(), L"");
}

TEST_F(CameraTest, RestartingRebuildsTheSameGraph) {
  Attach({NtscGrabber(L"Grabber")});
  ASSERT_EQ(Start(), kOk);
  ASSERT_EQ(StopCamera(player), kOk);
  EXPECT_EQ(graph.GraphNames(), std::vector<std::wstring>{L"EVR"});
  ASSERT_EQ(Start(), kOk);
  EXPECT_EQ(graph.GraphNames(), (std::vector<std::wstring>{L"EVR", L"CaptureSourceFilter"}));
  EXPECT_EQ(graph.starts, 2);
  EXPECT_TRUE(player.IsRunning());
}

TEST_F(CameraTest, RecordingUsesTheDevicesCodecChoice) {
  codecCatalog.names = {L"Lagarith Lossless Codec"};
  ASSERT_EQ(codecs.FindCodecs(), kOk);
  Attach({NtscGrabber(L"Grabber")});
  devices.Devices()[0].useCodec = 1;
  ASSERT_EQ(Start(L"C:\\VideoFiles\\a.avi"), kOk);
  EXPECT_EQ(graph.sinkPaths, std::vector<std::wstring>{L"C:\\VideoFiles\\a.avi"});
  EXPECT_EQ(graph.ChainFrom(Camera(), L"Capture"),
            (std::vector<std::wstring>{L"Smart Tee", L"Lagarith Lossless Codec", L"AVI Writer"}));

  ASSERT_EQ(StopCamera(player), kOk);
  devices.Devices()[0].useCodec = 0;
  ASSERT_EQ(Start(L"C:\\VideoFiles\\b.avi"), kOk);
  EXPECT_EQ(graph.ChainFrom(Camera(), L"Capture"), std::vector<std::wstring>{L"AVI Writer"});
}

TEST_F(CameraTest, ARecordingThatCannotBeRenderedFailsButThePictureRuns) {
  Attach({NtscGrabber(L"Grabber")});
  graph.failures = {L"CreateRecordingSink"};
  EXPECT_EQ(Start(L"C:\\VideoFiles\\a.avi"), kFail);
  EXPECT_TRUE(PostedTimed(log, L"SEVERE: SetOutputFileName method has failed, no recording is possible\r\n"));
  EXPECT_TRUE(PostedTimed(log, L"WARNING: cannot render video stream\r\n"));
  EXPECT_TRUE(player.IsRunning());
}

TEST_F(CameraTest, AFailedDisplayFilterNeverStopsTheCamera) {
  Attach({NtscGrabber(L"Grabber")});
  state.displayToolOn[kToolCrosshairs] = true;
  graph.failures = {L"AddFilter:Crosshairs"};
  EXPECT_EQ(Start(L"C:\\VideoFiles\\a.avi"), kOk);
  EXPECT_TRUE(PostedTimed(log, L"SEVERE: cannot render preview stream\r\n"));
  EXPECT_TRUE(PostedTimed(log, L"WARNING: cannot render video stream\r\n"));
  EXPECT_TRUE(player.IsRunning());
  EXPECT_EQ(graph.ChainFrom(Camera(), L"Preview"), std::vector<std::wstring>{L"EVR"});
  EXPECT_EQ(graph.ChainFrom(Camera(), L"Capture"), std::vector<std::wstring>{L"AVI Writer"});
}

TEST_F(CameraTest, APreviewThatCannotBeRenderedNeverCostsTheRecording) {
  Attach({NtscGrabber(L"Grabber")});
  graph.failures = {L"RenderStream:Preview"};
  EXPECT_EQ(Start(L"C:\\VideoFiles\\a.avi"), kOk);
  EXPECT_TRUE(PostedTimed(log, L"SEVERE: failure to render video preview stream\r\n"));
  EXPECT_FALSE(PostedTimed(log, L"Logic error: attempt to run filter graph with a NULL media control interface\r\n"));
  EXPECT_TRUE(player.IsRunning());
  EXPECT_EQ(graph.ChainFrom(Camera(), L"Capture"), std::vector<std::wstring>{L"AVI Writer"});
}

TEST_F(CameraTest, APreviewThatCannotBeRenderedWithoutARecordingLeavesTheGraphStill) {
  Attach({NtscGrabber(L"Grabber")});
  graph.failures = {L"RenderStream:Preview"};
  EXPECT_EQ(Start(), kOk);  // scheduled events must still come
  EXPECT_EQ(graph.runState, FakeMediaGraph::RunState::kStopped);
  EXPECT_FALSE(PostedTimed(log, L"Logic error: attempt to run filter graph with a NULL media control interface\r\n"));
  EXPECT_FALSE(player.IsRunning());
}

TEST_F(CameraTest, NoDeviceOrBadIndex) {
  EXPECT_EQ(Start(), kFail);
  EXPECT_TRUE(
      PostedTimed(log, L"Logic error: attempt to get current video source structure with no source devices\r\n"));
  EXPECT_TRUE(PostedTimed(log, L"Logic error: attempt to start camera with 0 video source information\r\n"));
  Attach({NtscGrabber(L"Grabber")});
  devices.SetCurrentDeviceIndex(3);
  EXPECT_EQ(Start(), kFail);
  EXPECT_TRUE(
      PostedTimed(log, L"Logic error: attempt to get current video source structure with invalid source index\r\n"));
  EXPECT_FALSE(player.IsRunning());
  EXPECT_EQ(graph.runState, FakeMediaGraph::RunState::kStopped);
}

TEST_F(CameraTest, NoFormatNoCamera) {
  Attach({NtscGrabber(L"Grabber")});
  devices.Devices()[0].analogFormatIndex = 2;
  state.geometry.SetVideo({123, 45});
  EXPECT_EQ(Start(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: attempt to start camera without a valid video format\r\n"));
  EXPECT_EQ(state.geometry.Video(), (VideoSize{123, 45}));
  EXPECT_EQ(graph.GraphNames(), std::vector<std::wstring>{L"EVR"});
}

TEST_F(CameraTest, SourceFilterFailures) {
  Attach({NtscGrabber(L"Grabber")});
  devices.Devices()[0].sourceFilter = {};
  catalog.devices[0].bindFails = true;
  EXPECT_EQ(Start(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: cannot get source base filter while attempting to start camera\r\n"));

  catalog.devices[0].bindFails = false;
  graph.failures = {L"AddFilter:CaptureSourceFilter"};
  EXPECT_EQ(Start(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"SEVERE: failed to add video source filter to filter graph\r\n"));
  EXPECT_FALSE(player.IsRunning());

  graph.failures.clear();  // the filter bound again by name now serves
  EXPECT_EQ(Start(), kOk);
  EXPECT_TRUE(player.IsRunning());
}

TEST_F(CameraTest, TheUsersChoiceLeavesTheDisplayToolsOutOfARecordingsPreviewOnly) {
  Attach({NtscGrabber(L"Grabber")});
  state.displayToolOn[kToolCrosshairs] = true;
  state.removeFiltersWhileRecording = true;
  ASSERT_EQ(Start(), kOk);
  EXPECT_EQ(graph.ChainFrom(Camera(), L"Preview"), (std::vector<std::wstring>{L"Crosshairs", L"EVR"}));
  ASSERT_EQ(StopCamera(player), kOk);
  ASSERT_EQ(Start(L"C:\\VideoFiles\\a.avi"), kOk);
  EXPECT_EQ(graph.ChainFrom(Camera(), L"Preview"), std::vector<std::wstring>{L"EVR"});
}

TEST_F(CameraTest, RunFailuresAreReportedWithTheirCode) {
  Attach({NtscGrabber(L"Grabber")});
  graph.failures = {L"Run"};
  EXPECT_EQ(Start(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"SEVERE: attempt to run filter graph failed\r\n\terror value: 0x80004005\r\n"));
  EXPECT_TRUE(PostedTimed(log, L"WARNING: cannot run filter graph video stream\r\n"));
  EXPECT_FALSE(player.IsRunning());

  graph.failures = {L"RenderStream:Preview"};  // nothing rendered: no media control to run with
  EXPECT_EQ(Start(), kOk);                     // the camera does not try to run it
  EXPECT_EQ(RunFilterGraph(player), kFail);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: attempt to run filter graph with a NULL media control interface\r\n"));

  graph.failures.clear();
  ASSERT_EQ(Start(), kOk);
  EXPECT_EQ(RunFilterGraph(player), kFail);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: attempt to run filter graph that is already running\r\n"));
}

TEST_F(CameraTest, StopWritesTheLogBetweenStopAndTeardown) {
  Attach({NtscGrabber(L"Grabber")});
  ASSERT_EQ(Start(L"C:\\VideoFiles\\a.avi"), kOk);
  std::vector<std::wstring> seenAtLog;
  auto runStateAtLog = FakeMediaGraph::RunState::kRunning;
  ASSERT_EQ(StopCamera(player,
                       [&] {
                         seenAtLog = graph.GraphNames();
                         runStateAtLog = graph.runState;
                       }),
            kOk);
  EXPECT_EQ(seenAtLog.size(), 3u);  // the writer was still in the graph, stopped
  EXPECT_EQ(runStateAtLog, FakeMediaGraph::RunState::kStopped);
  EXPECT_FALSE(graph.holdsMediaControl);  // the graph let go of it with the filters
  EXPECT_FALSE(player.IsRunning());
  EXPECT_EQ(graph.GraphNames(), std::vector<std::wstring>{L"EVR"});

  ASSERT_EQ(Start(), kOk);
  graph.failures = {L"Stop", L"RemoveFilter:CaptureSourceFilter"};
  EXPECT_EQ(StopCamera(player), kFail);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: attempt to stop filter graph failed\r\n"));
  EXPECT_TRUE(PostedTimed(log, L"WARNING: command to stop camera failed\r\n"));
  EXPECT_FALSE(player.IsRunning());
}

}  // namespace
}  // namespace zuna::test
