#include "playback/main/playback_menu.h"

#include <gtest/gtest.h>

namespace zuna {
namespace {

TEST(PlaybackMenu, FiveMenusWithCloseAndInformationGreyUntilAFileIsOpen) {
  unsigned next = 32780;
  const PlaybackMenuIds ids = TakePlaybackMenuIds([&] { return next++; });
  EXPECT_EQ(ids.open, 32780u);
  EXPECT_EQ(ids.versionHistory, 32792u);
  PlaybackMenuState state;
  state.fileOpening = true;
  state.toolWindowExists[0] = state.toolWindowExists[1] = true;
  state.toolWindowExists[3] = true;
  state.toolUnavailable[3] = true;
  MenuModel menu = BuildPlaybackMenu(ids, state);
  ASSERT_EQ(menu.Bar().size(), 5u);
  EXPECT_EQ(menu.Bar()[2].text, L"Analysis");
  EXPECT_EQ(menu.Bar()[4].text, L"Help");
  EXPECT_FALSE(menu.IsEnabled(ids.lightCurve));  // its window could not be made
  EXPECT_TRUE(menu.IsEnabled(ids.open));
  EXPECT_FALSE(menu.IsEnabled(ids.close));
  EXPECT_FALSE(menu.IsEnabled(ids.information));
  EXPECT_TRUE(menu.IsEnabled(ids.exit));
  ASSERT_NE(menu.FindByPath(L"Display/Brightness/Contrast..."), nullptr);
  EXPECT_FALSE(menu.IsEnabled(ids.brightnessContrast));
  EXPECT_EQ(menu.FindByPath(L"Display/Pixel Saturation..."), nullptr);  // no window
  EXPECT_EQ(menu.FindByPath(L"Display/Crosshairs..."), nullptr);        // unavailable
  EXPECT_EQ(menu.FindByPath(L"Options/Dropped Frames Control"), nullptr);
  state.fileOpen = true;
  EXPECT_TRUE(BuildPlaybackMenu(ids, state).IsEnabled(ids.information));
}

}  // namespace
}  // namespace zuna
