// The capture program's start-up steps about devices, over a fake catalog and graph.
#include <gtest/gtest.h>

#include "capture/devices/device_startup.h"
#include "capture/devices/fake_device_catalog.h"
#include "support/memory_log.h"
#include "video/player/fake_media_graph.h"
#include "video/player/log_checks.h"

namespace zuna::test {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  ScopedMemoryLog log;
  CommonState state;
  FakeDeviceCatalog catalog;
  VideoDeviceList devices{catalog, state};
};

TEST_F(StartupTest, TheDeviceReportNamesStandardsAndIgnoredDevices) {
  catalog.devices = {NtscGrabber(L"USB2.0 Grabber"), DigitalCamera(L"Cam"), PalGrabber(L"Box", kAnalogPalI)};
  ASSERT_EQ(ListDevicesAtStartup(devices), kOk);
  devices.Devices()[2].ignored = true;
  PostAttachedDevices(DescribeStartupDevices(devices.Devices()), devices.AttachedCount());
  EXPECT_TRUE(PostedUntimed(log, L"Attached video devices:"));
  EXPECT_TRUE(PostedUntimed(log, L"\tUSB2.0 Grabber -- NTSC_M"));
  EXPECT_TRUE(PostedUntimed(log, L"\tCam -- Digital"));
  EXPECT_TRUE(PostedUntimed(log, L"\tBox -- PAL_I, ignored device"));
}

TEST_F(StartupTest, ASavedConfigurationChoosesTheDevicesFormat) {
  catalog.devices = {NtscGrabber(L"Grabber"), DigitalCamera(L"Cam"), NtscGrabber(L"Other")};
  ASSERT_EQ(ListDevicesAtStartup(devices), kOk);
  std::vector<VideoConfiguration> saved(3);
  saved[0].deviceName = L"Grabber";
  saved[0].frameRate = L"30";
  saved[0].frameSize = L"640x480";
  saved[1].deviceName = L"Cam";
  saved[1].frameRate = L"15";
  saved[1].frameSize = L"640x480";
  saved[2].deviceName = L"Other";
  saved[2].frameSize = L"320x240";  // no longer offered: the first format stays
  ApplySavedDeviceFormats(devices.Devices(), saved);
  const auto& list = devices.Devices();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].ntscGroup.formats[static_cast<std::size_t>(list[0].analogFormatIndex)].subtype, kSubtypeRgb32);
  EXPECT_EQ(list[1].digitalGroups[static_cast<std::size_t>(list[1].digitalRateIndex)].rateText, L"15");
  EXPECT_EQ(list[1].digitalFormatIndex, 0);
  EXPECT_EQ(list[2].analogFormatIndex, 0);
}

TEST_F(StartupTest, ASavedConfigurationBringsItsStandardAndPropertiesToTheDevice) {
  FakeDevice grabber = NtscGrabber(L"Grabber");
  for (int id : kPropertyIds) grabber.properties[id] = FakeProperty{};
  catalog.devices = {grabber};
  ASSERT_EQ(ListDevicesAtStartup(devices), kOk);
  devices.SetCurrentDeviceIndex(0);
  VideoConfiguration saved{L"Grabber", L"25", L"720x576", L"10", L"20", L"30", L"40", L"50", L"60", L"PAL"};
  saved.gain = L"999";  // outside the device's range: left as it is
  catalog.propertiesSet.clear();
  ApplySavedDeviceConfiguration(devices, {saved});
  const VideoSourceInfo& device = devices.Devices()[0];
  EXPECT_EQ(device.category, kCategoryPal);
  EXPECT_EQ(catalog.standardsSet.back(), kAnalogPalB);
  ASSERT_NE(devices.CurrentFormat(), nullptr);
  EXPECT_EQ(devices.CurrentFormat()->height, 576);
  ASSERT_EQ(catalog.propertiesSet.size(), 5u);
  EXPECT_EQ(catalog.propertiesSet[0].value, 10);
  EXPECT_EQ(catalog.propertiesSet[4].value, 50);
  EXPECT_EQ(device.properties[3].current, 40);
  EXPECT_EQ(device.properties[5].current, 128);
}

TEST_F(StartupTest, AStandardWhoseFormatsTheDeviceLacksIsNotTaken) {
  FakeDevice grabber = NtscGrabber(L"Grabber");
  grabber.outputPinTypes = {{VideoType(kSubtypeYuy2, 720, 480, kNtscFrame)}};
  catalog.devices = {grabber};
  ASSERT_EQ(ListDevicesAtStartup(devices), kOk);
  devices.SetCurrentDeviceIndex(0);
  catalog.standardsSet.clear();
  ApplySavedDeviceConfiguration(
      devices, {VideoConfiguration{L"Grabber", L"25", L"720x576", L"", L"", L"", L"", L"", L"", L"PAL"}});
  EXPECT_EQ(catalog.standardsSet.back(), kAnalogNtscM);
  EXPECT_EQ(devices.Devices()[0].category, kCategoryNtsc);
  ASSERT_NE(devices.CurrentFormat(), nullptr);
  EXPECT_EQ(devices.CurrentFormat()->height, 480);
}

TEST_F(StartupTest, ADeviceWithoutASavedConfigurationIsLeftAlone) {
  catalog.devices = {NtscGrabber(L"Grabber")};
  ASSERT_EQ(ListDevicesAtStartup(devices), kOk);
  devices.SetCurrentDeviceIndex(0);
  catalog.standardsSet.clear();
  ApplySavedDeviceConfiguration(devices,
                                {VideoConfiguration{L"Other", L"25", L"", L"1", L"", L"", L"", L"", L"", L"PAL"}});
  EXPECT_TRUE(catalog.standardsSet.empty());
  EXPECT_TRUE(catalog.propertiesSet.empty());
  EXPECT_EQ(devices.Devices()[0].category, kCategoryNtsc);
}

TEST_F(StartupTest, AFailedListIsReportedAndLeftEmpty) {
  catalog.listing = DeviceListing::kNoCategoryEnumerator;
  EXPECT_EQ(ListDevicesAtStartup(devices), kFail);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: call to get video device list failed\r\n"));
  EXPECT_TRUE(devices.Devices().empty());
}

TEST_F(StartupTest, TheDefaultDeviceWinsUnlessIgnored) {
  catalog.devices = {NtscGrabber(L"A"), DigitalCamera(L"B"), DigitalCamera(L"C")};
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  ChooseStartupCurrentDevice(devices, L"C");
  EXPECT_EQ(devices.CurrentDeviceIndex(), 2);
  EXPECT_TRUE(devices.Devices()[2].isDefaultDevice);
  EXPECT_TRUE(devices.Devices()[2].defaultDevicePending);
  EXPECT_FALSE(devices.Devices()[0].isDefaultDevice);

  devices.Devices()[2].ignored = true;
  devices.Devices()[0].ignored = true;
  ChooseStartupCurrentDevice(devices, L"C");
  EXPECT_EQ(devices.CurrentDeviceIndex(), 1);

  devices.Devices()[1].ignored = true;
  ChooseStartupCurrentDevice(devices, L"");
  EXPECT_EQ(devices.CurrentDeviceIndex(), -1);
}

TEST_F(StartupTest, VideoSizeComesFromTheCurrentFormat) {
  catalog.devices = {DigitalCamera(L"Cam")};
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  devices.Devices()[0].digitalFormatIndex = 1;
  EXPECT_EQ(StartupVideoSize(devices), (VideoSize{1280, 720}));
  EXPECT_TRUE(PostedUntimed(log, L"NOTE: startup device \"Cam\" has no selected codec; default is NONE\r\n"));

  devices.Devices()[0].digitalFormatIndex = 5;
  devices.Devices()[0].hasConfiguration = true;
  ScopedMemoryLog second;
  EXPECT_EQ(StartupVideoSize(devices), (VideoSize{640, 480}));
  EXPECT_TRUE(PostedTimed(second, L"Logic error: video format pointer is 0 in MainWindowVC constructor\r\n"));
  EXPECT_FALSE(Posted(second, L"NOTE:"));

  devices.SetCurrentDeviceIndex(-1);
  EXPECT_EQ(StartupVideoSize(devices), (VideoSize{640, 480}));
}

TEST_F(StartupTest, RendererSizeFollowsTheDisplay) {
  FakeMediaGraph graph;
  OptionTables options;
  VideoPlayer player(graph, state, &options);
  state.geometry.NewVideo({720, 480});
  EXPECT_EQ(SizeRendererToVideo(player), kFail);  // no clipping window yet
  EXPECT_TRUE(PostedTimed(log, L"SEVERE: failure to set EVR window size\r\n"));
  EXPECT_TRUE(PostedTimed(log, L"INFO: cannot set rendering window size\r\n"));
  ASSERT_EQ(player.SetClippingWindow(42), kOk);
  EXPECT_EQ(SizeRendererToVideo(player), kOk);
  EXPECT_EQ(graph.videoPosition, (std::pair<int, int>{720, 480}));
}

}  // namespace
}  // namespace zuna::test
