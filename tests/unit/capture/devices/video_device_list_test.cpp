// Enumeration, validation, binding by name and picture properties of attached devices.
#include <gtest/gtest.h>

#include "capture/devices/device_standard.h"
#include "capture/devices/fake_device_catalog.h"
#include "capture/devices/video_device_list.h"
#include "support/memory_log.h"
#include "video/player/log_checks.h"

namespace zuna::test {
namespace {

class DeviceListTest : public ::testing::Test {
 protected:
  std::vector<std::wstring> Names() const {
    std::vector<std::wstring> names;
    for (const VideoSourceInfo& device : devices.Devices()) names.push_back(device.friendlyName);
    return names;
  }

  ScopedMemoryLog log;
  CommonState state;
  FakeDeviceCatalog catalog;
  VideoDeviceList devices{catalog, state};
};

TEST_F(DeviceListTest, NoDevicesIsSuccessWithNoCurrentDevice) {
  EXPECT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  EXPECT_TRUE(devices.Devices().empty());
  EXPECT_EQ(devices.AttachedCount(), 0u);
  EXPECT_EQ(devices.CurrentDeviceIndex(), -1);
  EXPECT_EQ(devices.CurrentFormat(), nullptr);
  EXPECT_EQ(devices.CurrentDevice(), nullptr);
  EXPECT_TRUE(
      PostedTimed(log, L"Logic error: attempt to get current video source structure with no source devices\r\n"));
}

TEST_F(DeviceListTest, DevicesAreClassifiedByTheirDecoder) {
  catalog.devices = {NtscGrabber(L"USB2.0 Grabber"), PalGrabber(L"PAL Box", kAnalogPalG), DigitalCamera(L"Cam")};
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  ASSERT_EQ(Names(), (std::vector<std::wstring>{L"USB2.0 Grabber", L"PAL Box", L"Cam"}));
  EXPECT_EQ(devices.AttachedCount(), 3u);
  EXPECT_EQ(devices.CurrentDeviceIndex(), 0);

  const VideoSourceInfo& ntsc = devices.Devices()[0];
  EXPECT_EQ(ntsc.category, kCategoryNtsc);
  EXPECT_EQ(ntsc.ntscStandard, kStandardNtscM);
  EXPECT_EQ(ntsc.palStandard, kStandardUnknown);
  EXPECT_TRUE(ntsc.isAnalog);
  EXPECT_EQ(ntsc.deviceKeyName, L"USB2.0Grabber");
  EXPECT_TRUE(ntsc.sourceFilter);

  const VideoSourceInfo& pal = devices.Devices()[1];
  EXPECT_EQ(pal.category, kCategoryPal);
  EXPECT_EQ(pal.palStandard, kStandardPalG);
  EXPECT_EQ(pal.ntscStandard, kStandardUnknown);
  EXPECT_STREQ(DeviceStandardName(DeviceStandardOf(pal)), L"PAL_G");

  const VideoSourceInfo& cam = devices.Devices()[2];
  EXPECT_EQ(cam.category, kCategoryDigital);
  EXPECT_FALSE(cam.isAnalog);
  EXPECT_EQ(cam.digitalGroups.size(), 2u);
  EXPECT_STREQ(DeviceStandardName(DeviceStandardOf(cam)), L"DIGITAL");
  EXPECT_EQ(log.Text(), L"");
}

TEST_F(DeviceListTest, EveryAnalogStandardBitHasItsCode) {
  const std::pair<std::int32_t, const wchar_t*> cases[] = {
      {kAnalogNtscM, L"NTSC_M"}, {kAnalogPalB, L"PAL_B"}, {kAnalogPalD, L"PAL_D"},
      {kAnalogPalG, L"PAL_G"},   {kAnalogPalI, L"PAL_I"},
  };
  for (const auto& [bits, name] : cases) catalog.devices.push_back(PalGrabber(name, bits));
  for (auto& device : catalog.devices)
    device.outputPinTypes.front().push_back(VideoType(kSubtypeYuy2, 720, 576, kPalFrame));
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  ASSERT_EQ(devices.Devices().size(), 5u);
  for (const VideoSourceInfo& device : devices.Devices()) {
    EXPECT_EQ(DeviceStandardName(DeviceStandardOf(device)), device.friendlyName);
  }
}

TEST_F(DeviceListTest, SecamDeviceIsIgnoredWithItsMessages) {
  catalog.devices = {PalGrabber(L"SECAM Box", 0x1000), NtscGrabber(L"Grabber")};
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"Grabber"});
  EXPECT_EQ(devices.IgnoredDeviceNames(), std::vector<std::wstring>{L"SECAM Box"});
  EXPECT_TRUE(PostedTimed(log, L"Unsupported analog format, possibly SECAM\r\n"));
  EXPECT_TRUE(PostedUntimed(log, L"Device \"SECAM Box\" cannot be used for video capture\r\n"));
  ASSERT_EQ(catalog.released.size(), 1u);  // its filter was bound for the test and given back
  EXPECT_EQ(devices.CurrentDeviceIndex(), 0);
}

TEST_F(DeviceListTest, DevicesWithoutUsableFormatsAreIgnored) {
  FakeDevice empty = DigitalCamera(L"Small Cam");
  empty.outputPinTypes = {
      {VideoType(kSubtypeYuy2, 320, 240, kNtscFrame), VideoType(kSubtypeRgb24, 640, 480, kNtscFrame)}};
  FakeDevice ntscAt25 = NtscGrabber(L"Odd Grabber");
  ntscAt25.outputPinTypes = {{VideoType(kSubtypeYuy2, 720, 576, kPalFrame)}};
  FakeDevice unbindable = DigitalCamera(L"Gone Cam");
  unbindable.bindFails = true;
  FakeDevice unreadable = NtscGrabber(L"Mute Grabber");
  unreadable.standardReadFails = true;
  catalog.devices = {empty, ntscAt25, unbindable, unreadable};
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  EXPECT_TRUE(devices.Devices().empty());
  EXPECT_EQ(devices.CurrentDeviceIndex(), -1);
  EXPECT_EQ(devices.IgnoredDeviceNames(),
            (std::vector<std::wstring>{L"Small Cam", L"Odd Grabber", L"Gone Cam", L"Mute Grabber"}));
  EXPECT_TRUE(PostedTimed(log, L"Video device Small Cam has no video format entries\r\n"));
  EXPECT_FALSE(Posted(log, L"Video device Odd Grabber"));
}

TEST_F(DeviceListTest, EntriesThatCannotBeReadAreSkipped) {
  FakeDevice nullMoniker = DigitalCamera(L"A");
  nullMoniker.nullMoniker = true;
  FakeDevice noBag = DigitalCamera(L"B");
  noBag.propertyBag = false;
  FakeDevice noName = DigitalCamera(L"C");
  noName.nameRead = false;
  catalog.devices = {nullMoniker, noBag, noName, DigitalCamera(L"D")};
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  EXPECT_EQ(Names(), std::vector<std::wstring>{L"D"});
  EXPECT_TRUE(devices.IgnoredDeviceNames().empty());
  EXPECT_TRUE(PostedTimed(log, L"WARNING: video input device moniker is 0 in GetAttachedVideoDeviceList\r\n"));
  EXPECT_TRUE(
      PostedTimed(log, L"WARNING: video input device moniker property bag is 0 in GetAttachedVideoDeviceList\r\n"));
}

TEST_F(DeviceListTest, ListingFailures) {
  catalog.listing = DeviceListing::kNoSystemEnumerator;
  EXPECT_EQ(devices.GetAttachedVideoDeviceList(), kFail);
  EXPECT_TRUE(PostedTimed(log,
                          L"WARNING: attempt to create a system device enumerator in GetAttachedVideoDeviceList yields "
                          L"a 0 enumerator\r\n"));
  catalog.listing = DeviceListing::kNoCategoryEnumerator;
  EXPECT_EQ(devices.GetAttachedVideoDeviceList(), kFail);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: video input device enumerator in GetAttachedVideoDeviceList is 0\r\n"));
}

TEST_F(DeviceListTest, ASecondEnumerationReplacesTheFirst) {
  catalog.devices = {NtscGrabber(L"Grabber"), PalGrabber(L"SECAM Box", 0x1000)};
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  const FilterRef first = devices.Devices()[0].sourceFilter;
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  EXPECT_EQ(devices.Devices().size(), 1u);
  EXPECT_EQ(devices.AttachedCount(), 1u);
  EXPECT_EQ(devices.IgnoredDeviceNames().size(), 1u);
  EXPECT_NE(std::find(catalog.released.begin(), catalog.released.end(), first), catalog.released.end());
}

TEST_F(DeviceListTest, LongNamesAreCutAndStillFoundAgain) {
  const std::wstring longName = L"Very Long Camera " + std::wstring(300, L'x');
  catalog.devices = {DigitalCamera(longName)};
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  VideoSourceInfo& device = devices.Devices()[0];
  EXPECT_EQ(device.friendlyName.size(), kMaxDeviceNameLength);
  device.sourceFilter = {};
  EXPECT_EQ(devices.GetVideoSourceBaseFilter(device), kOk);
  EXPECT_TRUE(device.sourceFilter);
}

TEST_F(DeviceListTest, BindingByNameTakesTheFirstOfTwins) {
  catalog.devices = {DigitalCamera(L"Twin"), DigitalCamera(L"Twin"), DigitalCamera(L"twin")};
  VideoSourceInfo record = MakeVideoSourceInfo(L"Twin");
  ASSERT_EQ(devices.GetVideoSourceBaseFilter(record), kOk);
  EXPECT_EQ(catalog.DeviceOf(record.sourceFilter), &catalog.devices[0]);
  const FilterRef kept = record.sourceFilter;
  ASSERT_EQ(devices.GetVideoSourceBaseFilter(record), kOk);  // an already bound record stays as it is
  EXPECT_EQ(record.sourceFilter, kept);
  EXPECT_EQ(catalog.bound.size(), 1u);
}

TEST_F(DeviceListTest, BindingByNameFailures) {
  VideoSourceInfo record = MakeVideoSourceInfo(L"Cam");
  EXPECT_EQ(devices.GetVideoSourceBaseFilter(record), kFail);
  EXPECT_TRUE(PostedTimed(
      log, L"Logic error: attempt to get base filter for a VideoSourceInfo, but no video devices are found\r\n"));
  catalog.listing = DeviceListing::kNoCategoryEnumerator;
  EXPECT_EQ(devices.GetVideoSourceBaseFilter(record), kFail);
  EXPECT_TRUE(PostedTimed(
      log, L"Logic error: attempt to get base filter for a VideoSourceInfo, but cannot enumerate video devices\r\n"));
  catalog.listing = DeviceListing::kNoSystemEnumerator;
  EXPECT_EQ(devices.GetVideoSourceBaseFilter(record), kFail);
  EXPECT_TRUE(PostedTimed(
      log,
      L"WARNING: attempt to create a system device enumerator in GetVideoSourceBaseFilter yields a 0 enumerator\r\n"));
  catalog.listing = DeviceListing::kListed;
  FakeDevice noBag = DigitalCamera(L"Cam");
  noBag.propertyBag = false;
  catalog.devices = {noBag, DigitalCamera(L"CAM")};
  EXPECT_EQ(devices.GetVideoSourceBaseFilter(record), kFail);
  EXPECT_TRUE(
      PostedTimed(log, L"WARNING: video input device moniker property bag is 0 in GetVideoSourceBaseFilter\r\n"));
  EXPECT_TRUE(PostedTimed(log, L"WARNING: returned base filter pointer is 0 in GetVideoSourceBaseFilter\r\n"));
  EXPECT_FALSE(record.sourceFilter);
}

TEST_F(DeviceListTest, PropertiesAreReadIntoTheirSlots) {
  FakeDevice grabber = NtscGrabber(L"Grabber");
  grabber.properties[9] = FakeProperty{40, kProcAmpFlagsManual, {0, 100, 2, 30, 3}};
  grabber.properties[2].flags = kProcAmpFlagsAuto;    // hue on automatic
  grabber.properties[3].rangeFails = true;            // saturation without a range
  grabber.properties[4].limits = {50, 10, 1, 20, 3};  // sharpness with crossed ends
  grabber.properties.erase(1);                        // no contrast at all
  catalog.devices = {grabber};
  state.startupInProgress = true;
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  const VideoSourceInfo& device = devices.Devices()[0];
  EXPECT_TRUE(device.propertiesRead);
  EXPECT_EQ(device.properties[0].supported, 1);
  EXPECT_EQ(device.properties[0].current, 128);
  EXPECT_EQ(device.properties[0].maximum, 255);
  EXPECT_EQ(device.properties[5].supported, 1);  // gain, id 9, in the last slot
  EXPECT_EQ(device.properties[5].current, 40);
  EXPECT_EQ(device.properties[5].defaultValue, 30);
  EXPECT_EQ(device.properties[5].stepping, 2);
  for (std::size_t slot : {1u, 2u, 3u, 4u}) {
    EXPECT_EQ(device.properties[slot].supported, 0) << slot;
    EXPECT_EQ(device.properties[slot].minimum, INT32_MIN) << slot;
    EXPECT_EQ(device.properties[slot].maximum, INT32_MAX) << slot;
    EXPECT_EQ(device.properties[slot].defaultValue, INT32_MIN) << slot;
  }
  EXPECT_EQ(device.properties[3].current, 128);                          // the value was read before the range failed
  EXPECT_FALSE(Posted(log, L"WARNING: unable to set device property"));  // quiet while starting up
}

TEST_F(DeviceListTest, PropertyReadWarnsOutsideStartUpUnlessQuiet) {
  FakeDevice grabber = NtscGrabber(L"Grabber");
  grabber.properties[0].valueFails = true;
  catalog.devices = {grabber};
  devices.quiet = true;
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  EXPECT_FALSE(Posted(log, L"WARNING: unable to set device property"));
  devices.quiet = false;
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: unable to set device property\r\n"));

  ProcAmpRange range;
  EXPECT_FALSE(SetDevicePropertyValues(nullptr, FilterRef{1}, 0, &range, false, false));
  EXPECT_TRUE(PostedTimed(log, L"Logic error: 0 input parameter to SetDevicePropertyValues\r\n"));
}

TEST_F(DeviceListTest, ADeviceWithoutPictureControlsIsStillValid) {
  catalog.devices = {DigitalCamera(L"Cam")};
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  EXPECT_FALSE(devices.Devices()[0].propertiesRead);
  EXPECT_EQ(devices.SetPropertyValue(0, 10), kFail);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: attempt to set property value with 0 interface\r\n"));
  EXPECT_EQ(devices.SetPropertyToDefault(0), kFail);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: attempt to set property value to default with 0 interface\r\n"));
}

TEST_F(DeviceListTest, SettingPropertiesByHandAndToDefaults) {
  FakeDevice grabber = NtscGrabber(L"Grabber");
  grabber.properties[3].valueFails = true;  // saturation never read: its default is unknown
  catalog.devices = {grabber};
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  VideoSourceInfo& device = devices.Devices()[0];

  ASSERT_EQ(devices.SetPropertyValue(9, 77), kOk);
  EXPECT_EQ(device.properties[5].current, 77);
  ASSERT_FALSE(catalog.propertiesSet.empty());
  EXPECT_EQ(catalog.propertiesSet.back().flags, kProcAmpFlagsManual);

  catalog.propertiesSet.clear();
  ASSERT_EQ(devices.SetAllPropertiesToDefault(), kOk);
  std::vector<int> ids;
  for (const auto& call : catalog.propertiesSet) ids.push_back(call.property);
  EXPECT_EQ(ids, (std::vector<int>{0, 1, 2, 4, 9}));  // saturation skipped
  EXPECT_EQ(device.properties[5].current, 128);

  EXPECT_EQ(devices.SetPropertyValue(5, 1), kFail);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: attempt to set unknown property to a value\r\n"));
  EXPECT_EQ(devices.SetPropertyToDefault(7), kFail);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: attempt to set unknown property to default value\r\n"));

  catalog.devices[0].properties[1].setFails = true;
  catalog.propertiesSet.clear();
  EXPECT_EQ(devices.SetAllPropertiesToDefault(), kFail);
  EXPECT_EQ(catalog.propertiesSet.size(), 2u);  // stopped at contrast
  EXPECT_TRUE(PostedTimed(log, L"WARNING: cannot manually set property value\r\n"));
  const std::int32_t before = device.properties[1].current;
  EXPECT_EQ(devices.SetPropertyValue(1, 5), kFail);
  EXPECT_EQ(device.properties[1].current, before);
}

TEST_F(DeviceListTest, PropertyOperationsNeedACurrentDeviceWithAFilter) {
  EXPECT_EQ(devices.SetPropertyValue(0, 1), kFail);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: setting property value for unknown current device\r\n"));
  EXPECT_EQ(devices.SetPropertyToDefault(0), kFail);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: setting property value to default for unknown current device\r\n"));
  catalog.devices = {NtscGrabber(L"Grabber")};
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  devices.Devices()[0].sourceFilter = {};
  EXPECT_EQ(devices.SetPropertyValue(0, 1), kFail);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: setting property value with 0 base filter\r\n"));
  EXPECT_EQ(devices.SetPropertyToDefault(0), kFail);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: setting property value to default with 0 base filter\r\n"));
}

TEST_F(DeviceListTest, CurrentDeviceRefusesABadIndex) {
  catalog.devices = {NtscGrabber(L"Grabber")};
  ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
  devices.SetCurrentDeviceIndex(1);
  EXPECT_EQ(devices.CurrentDevice(), nullptr);
  EXPECT_EQ(devices.CurrentFormat(), nullptr);
  EXPECT_TRUE(
      PostedTimed(log, L"Logic error: attempt to get current video source structure with invalid source index\r\n"));
  devices.SetCurrentDeviceIndex(0);
  ASSERT_NE(devices.CurrentFormat(), nullptr);
  EXPECT_EQ(devices.CurrentFormat()->sizeText, L"720x480");
}

}  // namespace
}  // namespace zuna::test
