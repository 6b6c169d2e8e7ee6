// Which media types a device may be used with, their rounded rates and their grouping.
#include <gtest/gtest.h>

#include "capture/devices/fake_device_catalog.h"
#include "capture/devices/video_device_formats.h"
#include "support/memory_log.h"
#include "video/player/log_checks.h"

namespace zuna::test {
namespace {

TEST(FrameRate, RoundsTheRateHalfUp) {
  EXPECT_EQ(FrameRateFromTimePerFrame(333667), 30);
  EXPECT_EQ(FrameRateFromTimePerFrame(333333), 30);
  EXPECT_EQ(FrameRateFromTimePerFrame(400000), 25);
  EXPECT_EQ(FrameRateFromTimePerFrame(666667), 15);
  EXPECT_EQ(FrameRateFromTimePerFrame(500000), 20);
  EXPECT_EQ(FrameRateFromTimePerFrame(1000000), 10);
  EXPECT_EQ(FrameRateFromTimePerFrame(1), 10000000);
}

TEST(FrameRate, ValuesADeviceShouldNeverReportGiveNoRate) {
  EXPECT_EQ(FrameRateFromTimePerFrame(0), 0);
  EXPECT_EQ(FrameRateFromTimePerFrame(-333667), 0);
  EXPECT_EQ(FrameRateFromTimePerFrame(std::int64_t{1} << 32), 0);
  EXPECT_EQ(FrameRateFromTimePerFrame(INT64_MAX), 0);
  EXPECT_EQ(FrameRateFromTimePerFrame(30000000), 0);  // one frame in three seconds rounds to 0
}

TEST(AcceptedFrameRate, KeepsOnlyUsableVideoTypes) {
  const MediaTypeInfo good = VideoType(kSubtypeYuy2, 720, 480, kNtscFrame);
  EXPECT_EQ(AcceptedFrameRate(good, kCategoryNtsc), 30);
  EXPECT_EQ(AcceptedFrameRate(VideoType(kSubtypeRgb32, 640, 480, kNtscFrame), kCategoryNtsc), 30);

  const auto changed = [&](auto change) {
    MediaTypeInfo type = good;
    change(type);
    return AcceptedFrameRate(type, kCategoryDigital);
  };
  EXPECT_EQ(changed([](MediaTypeInfo& t) { t.subtype = kSubtypeRgb24; }), 0);
  EXPECT_EQ(changed([](MediaTypeInfo& t) { t.subtype = FourccGuid(MakeFourcc('M', 'J', 'P', 'G')); }), 0);
  EXPECT_EQ(changed([](MediaTypeInfo& t) { t.majorType = FourccGuid(MakeFourcc('a', 'u', 'd', 's')); }), 0);
  EXPECT_EQ(changed([](MediaTypeInfo& t) { t.format = FormatKind::kVideoInfo2; }), 0);
  EXPECT_EQ(changed([](MediaTypeInfo& t) { t.format = FormatKind::kNone; }), 0);
  EXPECT_EQ(changed([](MediaTypeInfo& t) { t.averageTimePerFrame = 0; }), 0);
  EXPECT_EQ(changed([](MediaTypeInfo& t) { t.width = 320, t.height = 240; }), 0);
  EXPECT_EQ(changed([](MediaTypeInfo& t) { t.width = 639; }), 0);
  EXPECT_EQ(changed([](MediaTypeInfo& t) { t.height = 479; }), 0);
  EXPECT_EQ(changed([](MediaTypeInfo& t) { t.height = -480; }), 0);  // top-down
  EXPECT_EQ(changed([](MediaTypeInfo& t) { t.width = kMaxVideoDimension + 1; }), 0);
  EXPECT_EQ(changed([](MediaTypeInfo& t) { t.height = kMaxVideoDimension; }), 30);
}

TEST(AcceptedFrameRate, AnalogDevicesKeepOnlyTheirStandardsRate) {
  const MediaTypeInfo ntsc = VideoType(kSubtypeYuy2, 720, 480, kNtscFrame);
  const MediaTypeInfo pal = VideoType(kSubtypeYuy2, 720, 576, kPalFrame);
  EXPECT_EQ(AcceptedFrameRate(pal, kCategoryNtsc), 0);
  EXPECT_EQ(AcceptedFrameRate(ntsc, kCategoryPal), 0);
  EXPECT_EQ(AcceptedFrameRate(pal, kCategoryPal), 25);
  EXPECT_EQ(AcceptedFrameRate(VideoType(kSubtypeYuy2, 720, 480, 666667), kCategoryDigital), 15);
}

class DeviceFormatsTest : public ::testing::Test {
 protected:
  VideoSourceInfo Bound(const FakeDevice& device, int category) {
    catalog.devices.push_back(device);
    VideoSourceInfo record = MakeVideoSourceInfo(device.name);
    EXPECT_EQ(catalog.BindSourceFilter(DeviceMoniker{catalog.devices.size()}, &record.sourceFilter), kOk);
    record.category = category;
    return record;
  }
  static std::vector<std::wstring> Sizes(const FrameRateGroup& group) {
    std::vector<std::wstring> sizes;
    for (const VideoFormat& format : group.formats) sizes.push_back(format.sizeText);
    return sizes;
  }

  ScopedMemoryLog log;
  FakeDeviceCatalog catalog;
};

TEST_F(DeviceFormatsTest, NtscDeviceListsOnlyItsThirtyFrameFormats) {
  VideoSourceInfo record = Bound(NtscGrabber(L"Grabber"), kCategoryNtsc);
  int count = -1;
  ASSERT_EQ(GetVideoDeviceFormats(catalog, &record, &count), kOk);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(Sizes(record.ntscGroup), (std::vector<std::wstring>{L"720x480", L"640x480"}));
  EXPECT_TRUE(record.palGroup.formats.empty());
  const VideoFormat& first = record.ntscGroup.formats[0];
  EXPECT_EQ(first.rateText, L"30");
  EXPECT_EQ(first.frameRate, 30);
  EXPECT_EQ(first.subtype, kSubtypeYuy2);
  EXPECT_EQ(first.mediaType.averageTimePerFrame, kNtscFrame);  // kept to set the format later
  EXPECT_EQ(record.ntscGroup.rateText, L"30");
}

TEST_F(DeviceFormatsTest, PalDeviceListsOnlyItsTwentyFiveFrameFormats) {
  VideoSourceInfo record = Bound(PalGrabber(L"Grabber"), kCategoryPal);
  int count = 0;
  ASSERT_EQ(GetVideoDeviceFormats(catalog, &record, &count), kOk);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(Sizes(record.palGroup), std::vector<std::wstring>{L"720x576"});
  EXPECT_EQ(record.palGroup.rateText, L"25");
}

TEST_F(DeviceFormatsTest, DigitalFormatsAreGroupedByRateInListedOrder) {
  FakeDevice camera = DigitalCamera(L"Cam");
  camera.outputPinTypes = {{VideoType(kSubtypeYuy2, 640, 480, kNtscFrame), VideoType(kSubtypeYuy2, 640, 480, 666667),
                            VideoType(kSubtypeYuy2, 320, 240, kNtscFrame),
                            VideoType(kSubtypeRgb24, 800, 600, kNtscFrame), VideoType(kSubtypeYuy2, 800, 600, 0),
                            VideoType(kSubtypeRgb32, 1280, 720, 333333)}};
  VideoSourceInfo record = Bound(camera, kCategoryDigital);
  int count = 0;
  ASSERT_EQ(GetVideoDeviceFormats(catalog, &record, &count), kOk);
  EXPECT_EQ(count, 3);
  ASSERT_EQ(record.digitalGroups.size(), 2u);
  EXPECT_EQ(record.digitalGroups[0].frameRate, 30);
  EXPECT_EQ(record.digitalGroups[0].rateText, L"30");
  EXPECT_EQ(Sizes(record.digitalGroups[0]), (std::vector<std::wstring>{L"640x480", L"1280x720"}));
  EXPECT_EQ(record.digitalGroups[1].rateText, L"15");
  EXPECT_EQ(Sizes(record.digitalGroups[1]), std::vector<std::wstring>{L"640x480"});

  ASSERT_EQ(GetVideoDeviceFormats(catalog, &record, &count), kOk);  // a second read replaces the first
  EXPECT_EQ(record.digitalGroups.size(), 2u);
  EXPECT_EQ(record.digitalGroups[0].formats.size(), 2u);
}

TEST_F(DeviceFormatsTest, TheFirstOutputPinWithAKeptFormatWins) {
  FakeDevice camera = DigitalCamera(L"Cam");
  camera.inputPinTypes = {VideoType(kSubtypeYuy2, 1920, 1080, kNtscFrame)};
  camera.nullPin = true;
  camera.outputPinTypes = {{VideoType(kSubtypeRgb24, 640, 480, kNtscFrame)},
                           {VideoType(kSubtypeYuy2, 800, 600, kPalFrame)},
                           {VideoType(kSubtypeYuy2, 1024, 768, kPalFrame)}};
  VideoSourceInfo record = Bound(camera, kCategoryDigital);
  int count = 0;
  ASSERT_EQ(GetVideoDeviceFormats(catalog, &record, &count), kOk);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(Sizes(record.digitalGroups.at(0)), std::vector<std::wstring>{L"800x600"});
  EXPECT_EQ(catalog.pinTypeReads, 2);  // the input pin and the third output were never asked
  EXPECT_TRUE(PostedTimed(log, L"WARNING: pin interface pointer is 0 in GetVideoDeviceFormats\r\n"));
}

TEST_F(DeviceFormatsTest, AFloodOfFormatsIsCut) {
  FakeDevice camera = DigitalCamera(L"Cam");
  camera.outputPinTypes = {
      std::vector<MediaTypeInfo>(kMaxDeviceFormats + 50, VideoType(kSubtypeYuy2, 640, 480, kNtscFrame))};
  VideoSourceInfo record = Bound(camera, kCategoryDigital);
  int count = 0;
  ASSERT_EQ(GetVideoDeviceFormats(catalog, &record, &count), kOk);
  EXPECT_EQ(count, static_cast<int>(kMaxDeviceFormats));
}

TEST_F(DeviceFormatsTest, Failures) {
  int count = 7;
  EXPECT_EQ(GetVideoDeviceFormats(catalog, nullptr, &count), kFail);
  EXPECT_TRUE(
      PostedTimed(log, L"Logic error: attempt to get video device formats using a 0 pointer to VideoSourceInfo\r\n"));

  VideoSourceInfo unassigned = Bound(DigitalCamera(L"Cam"), kCategoryUnassigned);
  EXPECT_EQ(GetVideoDeviceFormats(catalog, &unassigned, &count), kFail);
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(PostedTimed(log, L"Logic error: device standard category not assigned in GetVideoDeviceFormats\r\n"));

  FakeDevice noPins = DigitalCamera(L"Cam 2");
  noPins.pinEnumeratorMissing = true;
  VideoSourceInfo record = Bound(noPins, kCategoryDigital);
  EXPECT_EQ(GetVideoDeviceFormats(catalog, &record, &count), kFail);
  EXPECT_TRUE(PostedTimed(log, L"WARNING: pin enumerator is 0 in GetVideoDeviceFormats\r\n"));
}

TEST(CurrentFormat, IndicesOutsideTheGroupsGiveNone) {
  VideoSourceInfo device = MakeVideoSourceInfo(L"Cam");
  device.category = kCategoryDigital;
  device.digitalGroups = {{30, L"30", {VideoFormat{}, VideoFormat{}}}, {15, L"15", {VideoFormat{}}}};
  device.digitalGroups[1].formats[0].sizeText = L"640x480";
  device.digitalRateIndex = 1;
  ASSERT_NE(CurrentFormatOf(device), nullptr);
  EXPECT_EQ(CurrentFormatOf(device)->sizeText, L"640x480");
  device.digitalFormatIndex = 1;
  EXPECT_EQ(CurrentFormatOf(device), nullptr);
  device.digitalFormatIndex = 0;
  device.digitalRateIndex = 2;
  EXPECT_EQ(CurrentFormatOf(device), nullptr);
  device.digitalRateIndex = -1;
  EXPECT_EQ(CurrentFormatOf(device), nullptr);
  device.category = kCategoryNtsc;  // its group is empty
  EXPECT_EQ(CurrentFormatOf(device), nullptr);
  device.category = kCategoryUnassigned;
  EXPECT_EQ(CurrentFormatOf(device), nullptr);
}

}  // namespace
}  // namespace zuna::test
