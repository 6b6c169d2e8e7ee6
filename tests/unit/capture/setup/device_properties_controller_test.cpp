#include "capture/setup/device_properties_controller.h"

#include <gtest/gtest.h>

#include "capture/devices/fake_device_catalog.h"
#include "capture/setup/configuration_removal_controller.h"
#include "support/fake_window_view.h"
#include "support/memory_log.h"

namespace zuna {
namespace {

using test::DigitalCamera;
using test::NtscGrabber;

class DeviceProperties : public ::testing::Test {
 protected:
  void Attach(std::vector<test::FakeDevice> attached) {
    catalog.devices = std::move(attached);
    ASSERT_EQ(devices.GetAttachedVideoDeviceList(), kOk);
    devices.SetCurrentDeviceIndex(0);
  }
  VideoSourceInfo& Device() { return devices.Devices()[0]; }
  bool Logged(std::wstring_view text) const { return log.Text().find(text) != std::wstring::npos; }
  void MoveSlider(int slot, int position) {
    view.SetSliderPosition(kPropertySlider + slot, position);
    properties.OnSlider(slot);
  }
  void TickAndSave(int box) {
    view.Click(box);
    properties.OnBoxClicked(box);
    properties.OnSave();
  }

  test::ScopedMemoryLog log;
  test::FakeWindowView view;
  test::FakeDeviceCatalog catalog;
  CommonState state;
  VideoDeviceList devices{catalog, state};
  CaptureOptionNodes nodes;
  int saves = 0, stops = 0, starts = 0, formatChanges = 0, crosshairCloses = 0, removalToggles = 0;
  bool answer = true, digitalLists = false;
  DevicePropertiesController properties{
      {view, devices, nodes, [this] { return ++saves, true; }, [this] { return ++stops, kOk; },
       [this] { return ++starts, kOk; }, [this] { return answer; }, [this](bool digital) { digitalLists = digital; },
       [this] { ++formatChanges; }, [this] { ++crosshairCloses; }, [this] { ++removalToggles; }}};
};

TEST_F(DeviceProperties, SlidersActOnTheDeviceSaveKeepsOneConfigurationAndCancelRestores) {
  Attach({NtscGrabber(L"Grabber One")});
  properties.Toggle();
  ASSERT_TRUE(properties.IsOpen());
  EXPECT_EQ(view.Title(), L"Grabber One  Properties");
  EXPECT_EQ(view.Text(kStandardText), L"NTSC_M");
  EXPECT_EQ(view.Text(kFrameRateText), L"30");
  EXPECT_EQ(view.Text(kSwitchStandardButton), L"Switch to PAL");
  EXPECT_FALSE(digitalLists);
  const auto& brightness = view.sliders[kPropertySlider];
  EXPECT_EQ(brightness.maximum, 255);
  EXPECT_EQ(brightness.pageSize, 25);
  EXPECT_EQ(brightness.position, 128);
  EXPECT_FALSE(view.IsEnabled(kDevicePropertiesSaveButton));

  MoveSlider(0, 90);
  MoveSlider(5, 7);
  EXPECT_EQ(catalog.devices[0].properties[0].value, 90);
  EXPECT_EQ(Device().properties[5].current, 7);

  TickAndSave(kSaveConfigurationBox);
  MoveSlider(0, 91);
  TickAndSave(kSaveConfigurationBox);  // again in the same sitting: the entry is replaced
  ASSERT_EQ(nodes.configurations.size(), 1u);
  EXPECT_EQ(FormatVConfigValue(nodes.configurations[0]), L"Grabber One|30|720x480|91|128|128|128|128|7|NTSC");
  EXPECT_EQ(saves, 2);
  EXPECT_TRUE(Logged(kConfigurationSavedMessage));
  EXPECT_FALSE(view.IsChecked(kSaveConfigurationBox));

  properties.Cancel();
  EXPECT_FALSE(properties.IsOpen());
  EXPECT_EQ(catalog.devices[0].properties[0].value, 128);
  EXPECT_EQ(catalog.devices[0].properties[9].value, 128);
  EXPECT_TRUE(Logged(kPropertiesRestoredMessage));
  EXPECT_EQ(starts, 1);

  properties.Toggle();  // its own configuration now exists: only removal is offered
  EXPECT_FALSE(view.IsEnabled(kSaveConfigurationBox));
  EXPECT_TRUE(view.IsEnabled(kRemoveConfigurationsBox));
  TickAndSave(kRemoveConfigurationsBox);
  EXPECT_EQ(removalToggles, 1);
}

TEST_F(DeviceProperties, SwitchingToPalAsksAndCancelGoesBackToNtsc) {
  Attach({NtscGrabber(L"Grabber")});
  properties.Toggle();
  answer = false;
  properties.OnSwitchStandard();
  EXPECT_EQ(Device().category, kCategoryNtsc);
  EXPECT_EQ(stops, 0);

  answer = true;
  properties.OnSwitchStandard();
  EXPECT_EQ(Device().category, kCategoryPal);
  EXPECT_EQ(view.Text(kStandardText), L"PAL_B");
  EXPECT_EQ(view.Text(kSwitchStandardButton), L"Switch to NTSC");
  EXPECT_EQ(devices.CurrentFormat()->height, 576);
  EXPECT_EQ(formatChanges, 1);

  properties.Cancel();
  EXPECT_EQ(Device().category, kCategoryNtsc);
  EXPECT_EQ(devices.CurrentFormat()->height, 480);
  EXPECT_EQ(formatChanges, 2);
}

TEST_F(DeviceProperties, ADecoderThatRefusesPalKeepsNtsc) {
  test::FakeDevice grabber = NtscGrabber(L"Grabber");
  grabber.acceptedStandards = {kAnalogNtscM};
  Attach({grabber});
  properties.Toggle();
  properties.OnSwitchStandard();
  EXPECT_EQ(Device().category, kCategoryNtsc);
  EXPECT_EQ(Device().palStandard, kStandardUnknown);
  EXPECT_TRUE(Logged(L"WARNING: the video decoder accepts no PAL standard; the device keeps its standard\r\n"));
}

TEST_F(DeviceProperties, ADigitalCameraListsItsSizesOnceAndASizeRestartsTheCamera) {
  Attach({DigitalCamera(L"Webcam")});
  nodes.configurations.push_back({L"Unplugged", L"30", L"720x480", L"", L"", L"", L"", L"", L"", L"NTSC"});
  properties.Toggle();
  EXPECT_TRUE(digitalLists);
  EXPECT_EQ(view.Text(kStandardText), L"Digital");
  EXPECT_FALSE(view.IsVisible(kSwitchStandardButton));
  EXPECT_FALSE(view.IsEnabled(kPropertySlider));  // no picture properties on this camera
  EXPECT_TRUE(Logged(L"Device Unplugged has an options configuration but is not attached\r\n"));
  EXPECT_TRUE(view.IsEnabled(kSaveConfigurationBox));

  const auto& rates = view.rowsOf[kFrameRateList];
  ASSERT_GE(rates.size(), 2u);
  const int group = Device().digitalRateIndex;
  const auto& sizes = view.rowsOf[kFrameSizeList];
  EXPECT_EQ(sizes.size(), Device().digitalGroups[static_cast<std::size_t>(group)].formats.size());

  view.selectionOf[kFrameRateList] = {group == 0 ? 1 : 0};
  properties.OnFrameRateSelected();
  EXPECT_NE(Device().digitalRateIndex, group);
  EXPECT_EQ(formatChanges, 1);
  EXPECT_EQ(crosshairCloses, 1);
  view.selectionOf[kFrameSizeList] = {0};
  properties.OnFrameSizeSelected();  // the size in use: nothing happens
  EXPECT_EQ(formatChanges, 1);
}

TEST_F(DeviceProperties, TheRemovalWindowDeletesOnlyTheSelectedConfigurations) {
  nodes.configurations = {{L"A", L"30", L"720x480", L"1", L"1", L"1", L"1", L"1", L"1", L"NTSC"},
                          {L"B", L"25", L"720x576", L"1", L"1", L"1", L"1", L"1", L"1", L"PAL"}};
  int removed = 0;
  ConfigurationRemovalController removal{{view, nodes, [this] { return ++saves, true; }, [&] { ++removed; }}};
  removal.Toggle();
  EXPECT_EQ(view.rows.size(), 2u);
  EXPECT_FALSE(view.IsEnabled(kRemoveConfigurationsButton));
  view.selection = {1};
  removal.OnSelectionChanged();
  EXPECT_TRUE(view.IsEnabled(kRemoveConfigurationsButton));
  removal.OnRemove();
  ASSERT_EQ(nodes.configurations.size(), 1u);
  EXPECT_EQ(nodes.configurations[0].deviceName, L"A");
  EXPECT_EQ(saves, 1);
  EXPECT_EQ(removed, 1);
  EXPECT_TRUE(Logged(kConfigurationsRemovedMessage));
  EXPECT_EQ(view.rows.size(), 1u);
}

}  // namespace
}  // namespace zuna
