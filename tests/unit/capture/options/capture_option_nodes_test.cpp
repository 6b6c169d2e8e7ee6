#include "capture/options/capture_option_nodes.h"

#include <gtest/gtest.h>

namespace zuna {
namespace {

const VideoConfiguration kGrabber{
    L"USB2.0 Grabber", L"30", L"720x480", L"128", L"64", L"0", L"90", L"3", L"-2", L"NTSC"};

TEST(CaptureOptionNodes, ReadsEachNodeKindAndLeavesOutWhatItCannotUnderstand) {
  CaptureOptionNodes nodes;
  ReadCaptureOptionNode(nodes, L"UseCodecUSB2.0Grabber", L"1");
  ReadCaptureOptionNode(nodes, L"UseCodecWebCam", L"0");
  ReadCaptureOptionNode(nodes, L"UseCodecOther", L"2");  // no such choice
  ReadCaptureOptionNode(nodes, L"UseCodec", L"1");       // no device
  ReadCaptureOptionNode(nodes, L"ExcludedVideoSource", L"Old Cam");
  ReadCaptureOptionNode(nodes, L"ExcludedVideoSource", L"Old Cam");
  ReadCaptureOptionNode(nodes, L"VConfig", L"USB2.0 Grabber|30|720x480|128|64|0|90|3|-2|NTSC");
  ReadCaptureOptionNode(nodes, L"VConfig", L"Short|30|720x480|NTSC");
  ReadCaptureOptionNode(nodes, L"VConfig", L"|30|720x480|1|2|3|4|5|6|NTSC");  // no device name
  ReadCaptureOptionNode(nodes, L"SomethingNewer", L"1");

  const std::vector<CodecChoice> codecs{{L"USB2.0Grabber", 1}, {L"WebCam", 0}};
  EXPECT_EQ(nodes.codecChoices, codecs);
  EXPECT_EQ(nodes.excludedDeviceNames, std::vector<std::wstring>{L"Old Cam"});
  ASSERT_EQ(nodes.configurations.size(), 1u);
  EXPECT_EQ(nodes.configurations[0], kGrabber);
}

TEST(CaptureOptionNodes, ConfigurationValueKeepsBarsInTheNameAndCutsLongFields) {
  VideoConfiguration odd = kGrabber;
  odd.deviceName = L"Cam | Left";
  EXPECT_EQ(ParseVConfigValue(FormatVConfigValue(odd)), odd);
  EXPECT_EQ(FormatVConfigValue(kGrabber), L"USB2.0 Grabber|30|720x480|128|64|0|90|3|-2|NTSC");

  const std::optional<VideoConfiguration> cut =
      ParseVConfigValue(std::wstring(300, L'n') + L"|" + std::wstring(40, L'9') + L"|1x1|1|2|3|4|5|6|NTSC");
  ASSERT_TRUE(cut.has_value());
  EXPECT_EQ(cut->deviceName.size(), kMaxConfigDeviceNameLength);
  EXPECT_EQ(cut->frameRate.size(), kMaxConfigRateOrSizeLength);
}

TEST(CaptureOptionNodes, WrittenInKindOrderWithOneEntryPerDevice) {
  CaptureOptionNodes nodes;
  SetConfiguration(nodes, kGrabber);
  nodes.excludedDeviceNames.push_back(L"Old Cam");
  SetCodecChoice(nodes, L"USB2.0Grabber", 0);
  SetCodecChoice(nodes, L"USB2.0Grabber", 1);
  VideoConfiguration resaved = kGrabber;
  resaved.brightness = L"100";
  SetConfiguration(nodes, resaved);

  const std::vector<OptionEntry> expected{{L"UseCodecUSB2.0Grabber", L"1"},
                                          {L"ExcludedVideoSource", L"Old Cam"},
                                          {L"VConfig", L"USB2.0 Grabber|30|720x480|100|64|0|90|3|-2|NTSC"}};
  EXPECT_EQ(WriteCaptureOptionFileNodes(nodes), expected);

  VideoConfiguration second = kGrabber;
  second.deviceName = L"Second";
  SetConfiguration(nodes, second);
  EXPECT_TRUE(RemoveConfiguration(nodes, L"USB2.0 Grabber"));
  EXPECT_FALSE(RemoveConfiguration(nodes, L"USB2.0 Grabber"));
  ASSERT_EQ(nodes.configurations.size(), 1u);
  EXPECT_EQ(nodes.configurations[0].deviceName, L"Second");
}

TEST(CaptureOptionNodes, StartupMatchingMarksDevicesByNameAndKeyName) {
  CaptureOptionNodes nodes;
  SetConfiguration(nodes, kGrabber);
  SetCodecChoice(nodes, L"USB2.0Grabber", 1);
  nodes.excludedDeviceNames.push_back(L"Old Cam");
  std::vector<VideoSourceInfo> devices{MakeVideoSourceInfo(L"USB2.0 Grabber"), MakeVideoSourceInfo(L"Old Cam"),
                                       MakeVideoSourceInfo(L"usb2.0 grabber")};
  MatchDevicesWithSavedOptions(devices, nodes);

  EXPECT_TRUE(devices[0].hasConfiguration);
  EXPECT_TRUE(devices[0].codecNodeRead);
  EXPECT_TRUE(devices[0].codecChosen);
  EXPECT_EQ(devices[0].useCodec, 1);
  EXPECT_FALSE(devices[0].ignored);
  EXPECT_TRUE(devices[1].ignored);
  EXPECT_TRUE(devices[1].listedAsExcluded);
  EXPECT_FALSE(devices[1].hasConfiguration);
  EXPECT_FALSE(devices[2].hasConfiguration);  // names compare exactly
  EXPECT_FALSE(devices[2].codecChosen);
}

TEST(CaptureOptionNodes, ExcludedListFollowsAttachedDevicesAndKeepsUnpluggedOnes) {
  CaptureOptionNodes nodes;
  nodes.excludedDeviceNames = {L"Unplugged Cam", L"Old Cam"};
  std::vector<VideoSourceInfo> devices{MakeVideoSourceInfo(L"Old Cam"), MakeVideoSourceInfo(L"New Cam")};
  MatchDevicesWithSavedOptions(devices, nodes);
  EXPECT_FALSE(UpdateExcludedDevices(devices, nodes));

  devices[0].ignored = false;
  devices[1].ignored = true;
  EXPECT_TRUE(UpdateExcludedDevices(devices, nodes));
  EXPECT_EQ(nodes.excludedDeviceNames, (std::vector<std::wstring>{L"Unplugged Cam", L"New Cam"}));
  EXPECT_FALSE(devices[0].listedAsExcluded);
  EXPECT_TRUE(devices[1].listedAsExcluded);
}

TEST(VideoSourceInfo, KeyNameIsTheNameWithoutBlanks) {
  EXPECT_EQ(MakeDeviceKeyName(L" USB 2.0  Grabber "), L"USB2.0Grabber");
  const VideoSourceInfo device = MakeVideoSourceInfo(std::wstring(300, L'a'));
  EXPECT_EQ(device.friendlyName.size(), kMaxDeviceNameLength);
  EXPECT_EQ(device.deviceKeyName.size(), kMaxDeviceNameLength);
}

}  // namespace
}  // namespace zuna
