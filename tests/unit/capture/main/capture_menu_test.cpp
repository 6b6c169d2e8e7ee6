#include "capture/main/capture_menu.h"

#include <gtest/gtest.h>

namespace zuna {
namespace {

TEST(CaptureMenu, IdentifiersAreConsecutiveInTheirOrderOfUse) {
  unsigned next = 32780;
  const CaptureMenuIds ids = TakeCaptureMenuIds([&] { return next++; });
  EXPECT_EQ(ids.selectVideoDevice, 32780u);
  EXPECT_EQ(ids.timeLapseOptions, 32788u);
  EXPECT_EQ(ids.exit, 32791u);
  EXPECT_EQ(ids.captureVersionHistory, 32800u);
}

TEST(CaptureMenu, GreyingFollowsDevicesRecordingAndMissingFolders) {
  unsigned next = 1;
  const CaptureMenuIds ids = TakeCaptureMenuIds([&] { return next++; });
  CaptureMenuState state;
  state.toolWindowExists[0] = true;
  state.deviceWindows = state.propertiesWindow = state.optionsWindows = state.codecWindow = true;
  MenuModel none = BuildCaptureMenu(ids, state);
  EXPECT_EQ(none.FindByPath(L"Display/Brightness/Contrast..."), nullptr);  // no such tool window
  EXPECT_FALSE(none.IsEnabled(ids.selectVideoDevice));
  EXPECT_FALSE(none.IsEnabled(ids.codec));
  EXPECT_FALSE(none.IsEnabled(ids.magnify));
  EXPECT_TRUE(none.IsEnabled(ids.fileOptions));
  EXPECT_EQ(none.FindByPath(L"Options/Recording Options/File...")->id, ids.fileOptions);

  state.anyDevice = state.currentDevice = true;
  state.toolWindowExists[3] = true;
  state.toolUnavailable[3] = true;
  MenuModel one = BuildCaptureMenu(ids, state);
  EXPECT_TRUE(one.IsEnabled(ids.selectVideoDevice));
  EXPECT_TRUE(one.IsEnabled(ids.magnify));
  EXPECT_FALSE(one.IsEnabled(ids.crosshairs));

  state.recording = true;
  MenuModel rec = BuildCaptureMenu(ids, state);
  ASSERT_EQ(rec.Bar().size(), 5u);
  EXPECT_TRUE(rec.Bar()[0].enabled);
  for (std::size_t i = 1; i < 5; ++i) EXPECT_FALSE(rec.Bar()[i].enabled) << i;
}

}  // namespace
}  // namespace zuna
