// Switching an analog device between NTSC and PAL.
#include <gtest/gtest.h>

#include "capture/devices/device_standard.h"
#include "capture/devices/fake_device_catalog.h"
#include "capture/devices/video_device_list.h"
#include "support/memory_log.h"
#include "video/player/log_checks.h"

namespace zuna::test {
namespace {

class StandardTest : public ::testing::Test {
 protected:
  VideoSourceInfo& Attach(const FakeDevice& device) {
    catalog.devices = {device};
    EXPECT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
    EXPECT_EQ(devices.Devices().size(), 1u);
    return devices.Devices()[0];
  }

  ScopedMemoryLog log;
  CommonState state;
  FakeDeviceCatalog catalog;
  VideoDeviceList devices{catalog, state};
};

TEST_F(StandardTest, NtscDeviceSwitchesToTheFirstPalStandardItsDecoderTakes) {
  FakeDevice grabber = NtscGrabber(L"Grabber");
  grabber.acceptedStandards = {kAnalogNtscM, kAnalogPalD, kAnalogPalI};
  VideoSourceInfo& device = Attach(grabber);
  catalog.standardsSet.clear();
  EXPECT_EQ(devices.DetermineDeviceStandard(1), kStandardPalD);
  EXPECT_EQ(catalog.standardsSet, (std::vector<std::int32_t>{kAnalogPalB, kAnalogPalD}));
  EXPECT_EQ(device.palStandard, kStandardPalD);
  EXPECT_EQ(device.category, kCategoryPal);
  EXPECT_STREQ(DeviceStandardName(DeviceStandardOf(device)), L"PAL_D");

  // Back to NTSC: the known standard is set again; then PAL again uses the one found.
  catalog.standardsSet.clear();
  EXPECT_EQ(devices.DetermineDeviceStandard(0), kStandardNtscM);
  EXPECT_EQ(catalog.standardsSet, std::vector<std::int32_t>{kAnalogNtscM});
  EXPECT_EQ(device.category, kCategoryNtsc);
  catalog.standardsSet.clear();
  EXPECT_EQ(devices.DetermineDeviceStandard(1), kStandardPalD);
  EXPECT_EQ(catalog.standardsSet, std::vector<std::int32_t>{kAnalogPalD});
}

TEST_F(StandardTest, ADecoderThatRefusesEveryPalStandardLeavesItUnknown) {
  FakeDevice grabber = NtscGrabber(L"Grabber");
  grabber.acceptedStandards = {kAnalogNtscM};
  VideoSourceInfo& device = Attach(grabber);
  EXPECT_EQ(devices.DetermineDeviceStandard(1), kStandardUnknown);
  EXPECT_EQ(device.palStandard, kStandardUnknown);
  EXPECT_EQ(catalog.standardsSet.size(), 4u);
  EXPECT_STREQ(DeviceStandardName(DeviceStandardOf(device)), L"UNKNOWN");
}

TEST_F(StandardTest, PalDeviceLearnsNtsc) {
  VideoSourceInfo& device = Attach(PalGrabber(L"Box", kAnalogPalI));
  EXPECT_EQ(device.ntscStandard, kStandardUnknown);
  EXPECT_EQ(devices.DetermineDeviceStandard(0), kStandardNtscM);
  EXPECT_EQ(device.ntscStandard, kStandardNtscM);
  EXPECT_EQ(device.palStandard, kStandardPalI);
}

TEST_F(StandardTest, DigitalOrMissingDevicesHaveNoStandardToSwitch) {
  Attach(DigitalCamera(L"Cam"));
  EXPECT_EQ(devices.DetermineDeviceStandard(1), kStandardUnknown);
  EXPECT_TRUE(
      PostedTimed(log, L"WARNING: analog video decoder interface is 0 in VideoPlayer::DetermineDeviceStandard\r\n"));
  EXPECT_EQ(devices.Devices()[0].category, kCategoryDigital);
  devices.SetCurrentDeviceIndex(-1);
  EXPECT_EQ(devices.DetermineDeviceStandard(0), kStandardUnknown);
}

TEST(DeviceStandardName, NamesEveryCodeAndRefusesOthers) {
  const wchar_t* expected[] = {L"NTSC_M", L"PAL_B", L"PAL_D", L"PAL_G", L"PAL_I", L"DIGITAL", L"UNKNOWN"};
  for (int code = 0; code < 7; ++code) EXPECT_STREQ(DeviceStandardName(code), expected[code]);
  EXPECT_STREQ(DeviceStandardName(7), L"UNKNOWN");
  EXPECT_STREQ(DeviceStandardName(-1), L"UNKNOWN");
}

}  // namespace
}  // namespace zuna::test
