#include "capture/setup/device_selection_controller.h"

#include <gtest/gtest.h>

#include "capture/devices/fake_device_catalog.h"
#include "capture/options/capture_option_keys.h"
#include "support/fake_window_view.h"
#include "support/memory_log.h"

namespace zuna {
namespace {

class DeviceSelection : public ::testing::Test {
 protected:
  DeviceSelection() {
    options.RegisterText(kDefaultVideoSourceKey);
    devices.Devices().push_back(MakeVideoSourceInfo(L"Camera One"));
    devices.Devices().push_back(MakeVideoSourceInfo(L"Camera Two"));
    devices.SetCurrentDeviceIndex(0);
    selection.SetMenuCheck([this](bool on) { menuChecked = on; });
  }
  void Select(int list, int row) {
    view.selection = {row};
    if (list == kDeviceList) selection.OnDeviceSelected();
  }

  test::ScopedMemoryLog log;
  test::FakeWindowView view;
  test::FakeDeviceCatalog catalog;
  CommonState state;
  VideoDeviceList devices{catalog, state};
  OptionTables options;
  CaptureOptionNodes nodes;
  int saves = 0, stops = 0, starts = 0, changes = 0;
  bool menuChecked = false;
  DeviceSelectionController selection{{view, devices, options, nodes,
                                       [this] {
                                         ++saves;
                                         return true;
                                       },
                                       [this] {
                                         ++stops;
                                         return kOk;
                                       },
                                       [this] {
                                         ++starts;
                                         return kOk;
                                       },
                                       [this] { ++changes; }}};
};

TEST_F(DeviceSelection, OpensOnTheCurrentDeviceAndOkWithoutAChangeWritesNothing) {
  selection.Toggle();
  EXPECT_TRUE(menuChecked);
  ASSERT_EQ(view.rows.size(), 2u);
  EXPECT_EQ(view.selection, std::vector<int>{0});
  EXPECT_FALSE(view.IsChecked(kDefaultDeviceBox));
  selection.OnOk();
  EXPECT_EQ(saves, 0);
  EXPECT_EQ(log.Text(), L"");
  EXPECT_FALSE(menuChecked);
}

TEST_F(DeviceSelection, ChoosingADeviceRestartsTheCameraOnItAndNotesItsCodec) {
  selection.Open();
  Select(kDeviceList, 1);
  EXPECT_EQ(devices.CurrentDeviceIndex(), 1);
  EXPECT_EQ(stops, 1);
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_NE(log.Text().find(L"NOTE: selected device \"Camera Two\" has no selected codec; default is NONE\r\n"),
            std::wstring::npos);
}

TEST_F(DeviceSelection, TheDefaultDeviceIsSavedOnOk) {
  selection.Open();
  Select(kDeviceList, 1);
  view.Check(kDefaultDeviceBox, true);
  selection.OnDefaultDeviceClicked();
  selection.OnOk();
  EXPECT_EQ(options.Text(kDefaultVideoSourceKey), L"Camera Two");
  EXPECT_TRUE(devices.Devices()[1].isDefaultDevice);
  EXPECT_EQ(saves, 1);
  EXPECT_NE(log.Text().find(kDeviceSelectionsSavedMessage), std::wstring::npos);
}

TEST_F(DeviceSelection, IgnoringTheOnlyUsableDeviceLeavesNoneAndRestoringBringsItBack) {
  devices.Devices().pop_back();
  selection.Open();
  Select(kDeviceList, 0);
  selection.OnIgnore();
  EXPECT_EQ(devices.CurrentDeviceIndex(), -1);
  EXPECT_NE(log.Text().find(L"Device \"Camera One\" is ignored\r\n"), std::wstring::npos);
  EXPECT_FALSE(view.IsEnabled(kIgnoreDeviceButton));
  view.selection = {0};
  selection.OnRestore();
  EXPECT_EQ(devices.CurrentDeviceIndex(), 0);
  EXPECT_NE(log.Text().find(L"Device \"Camera One\" is restored\r\n"), std::wstring::npos);
  selection.OnOk();
  EXPECT_EQ(saves, 0);
}

TEST_F(DeviceSelection, AnIgnoredDeviceIsSavedAsExcluded) {
  selection.Open();
  Select(kDeviceList, 1);
  selection.OnIgnore();
  EXPECT_EQ(devices.CurrentDeviceIndex(), 0);
  selection.OnOk();
  EXPECT_EQ(nodes.excludedDeviceNames, std::vector<std::wstring>{L"Camera Two"});
  EXPECT_EQ(saves, 1);
}

TEST_F(DeviceSelection, CancelPutsBackTheDeviceAndItsFlags) {
  options.SetText(kDefaultVideoSourceKey, L"Camera One");
  devices.Devices()[0].isDefaultDevice = true;
  selection.Open();
  Select(kDeviceList, 0);
  selection.OnIgnore();
  EXPECT_EQ(devices.CurrentDeviceIndex(), 1);
  selection.Cancel();
  EXPECT_EQ(devices.CurrentDeviceIndex(), 0);
  EXPECT_FALSE(devices.Devices()[0].ignored);
  EXPECT_TRUE(devices.Devices()[0].isDefaultDevice);
  EXPECT_EQ(options.FindText(kDefaultVideoSourceKey)->saveValue, L"Camera One");
  EXPECT_EQ(saves, 0);
  EXPECT_FALSE(selection.IsOpen());
}

}  // namespace
}  // namespace zuna
